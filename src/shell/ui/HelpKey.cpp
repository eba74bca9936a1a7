#include "shell/ui/HelpKey.h"

#include "common/ui/HelpContext.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

namespace marbelo {

namespace {

// A menu entry's context; an entry that opens a submenu may carry it on the submenu.
int entryContext(const QAction *action)
{
    if (!action)
        return 0;
    if (const int context = helpContext(action))
        return context;
    return action->menu() ? helpContext(action->menu()) : 0;
}

int menuContext(const QMenu *menu)
{
    if (const int context = entryContext(menu->activeAction()))
        return context;
    // Nothing highlighted inside: the entry that opened the menu is the highlighted one.
    if (const int context = helpContext(menu))
        return context;
    return helpContext(menu->menuAction());
}

} // namespace

HelpKey::HelpKey(QObject *parent) : QObject(parent) {}

HelpKey *HelpKey::install()
{
    auto *filter = new HelpKey(qApp);
    qApp->installEventFilter(filter);
    return filter;
}

int HelpKey::currentContext()
{
    QWidget *focus = QApplication::focusWidget();
    QWidget *top = focus ? focus->window() : QApplication::activeWindow();
    if (top && top->property("ownsF1").toBool())
        return 0;

    if (const auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        if (const int context = menuContext(menu))
            return context;
    }
    if (const auto *bar = qobject_cast<QMenuBar *>(focus)) {
        if (const int context = entryContext(bar->activeAction()))
            return context;
    }

    // The focused control, then its parents up to its window.
    for (QWidget *widget = focus ? focus : top; widget; widget = widget->parentWidget()) {
        if (const int context = helpContext(widget))
            return context;
        if (widget->isWindow())
            break;
    }
    return 0;
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride)
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        const int context = currentContext();
        if (context != 0) {
            // Claim F1 before any shortcut does, then act on the press.
            event->accept();
            // Holding F1 down opens the topic once.
            if (type == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
                // Like a click elsewhere, help closes any open menu first.
                for (int depth = 0; depth < 16 && QApplication::activePopupWidget(); ++depth)
                    QApplication::activePopupWidget()->close();
                help().showTopic(context);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace marbelo
