#include "common/ui/CommandMenus.h"

#include "common/ui/HelpContext.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace marbelo {

QIcon paneImage(const char *set, int index)
{
    return QIcon(QStringLiteral(":/icons/%1/%2.png").arg(QLatin1String(set)).arg(index, 2, 10, QLatin1Char('0')));
}

QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

CommandMenus::CommandMenus(QWidget *owner) : m_owner(owner) {}

QAction *CommandMenus::makeEntry(const CommandPlacement &placement)
{
    const CommandInfo &info = commandInfo(placement.command);
    auto *action = new QAction(paneImage("menu", info.image), entryCaption(placement), m_owner);
    action->setObjectName(QString::fromLatin1(placement.objectName));
    setHelpContext(action, info.helpContext);
    CommandEntries &e = entries(placement.command);
    switch (roleOf(placement.place)) {
    case EntryRole::MainMenu:
        // Only the main menus show the long hint in the status bar.
        if (!info.hint.isEmpty())
            action->setStatusTip(longHint(info.hint));
        e.mainMenu = action;
        break;
    case EntryRole::DropDown:
        e.dropDown = action;
        break;
    case EntryRole::Context:
        e.context = action;
        break;
    case EntryRole::ToolBar: // tool buttons are made by the window's tool bar
        break;
    }
    return action;
}

void CommandMenus::fillMenu(QMenu *menu, MenuPlace place)
{
    for (const CommandPlacement &placement : placementTable()) {
        if (placement.place != place)
            continue;
        if (placement.kind == PlacementKind::Separator)
            menu->addSeparator();
        else
            menu->addAction(makeEntry(placement));
    }
}

QMenu *CommandMenus::buildPopup(MenuPlace place, QWidget *owner)
{
    auto *menu = new QMenu(owner);
    menu->setObjectName(QString::fromLatin1(menuInfo(place).objectName));
    fillMenu(menu, place);
    return menu;
}

std::vector<QMenu *> CommandMenus::buildMainMenus(QMenuBar *bar, CommandWindow window,
                                                  const std::function<void(const QString &)> &hovered)
{
    std::vector<QMenu *> menus;
    for (const MenuInfo &info : menuTable()) {
        if (roleOf(info.place) != EntryRole::MainMenu || windowOf(info.place) != window)
            continue;
        QMenu *menu = bar->addMenu(info.caption);
        const QString name = QString::fromLatin1(info.objectName);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name + QStringLiteral("Item"));
        menu->menuAction()->setStatusTip(info.hint);
        setHelpContext(menu, info.helpContext);
        setHelpContext(menu->menuAction(), info.helpContext);
        fillMenu(menu, info.place);
        QObject::connect(menu, &QMenu::hovered, menu, [hovered](QAction *action) { hovered(action->statusTip()); });
        menus.push_back(menu);
    }
    return menus;
}

void CommandMenus::fillTextToolBar(QToolBar *bar, MenuPlace place)
{
    for (const CommandPlacement &placement : placementTable()) {
        if (placement.place != place)
            continue;
        if (placement.kind == PlacementKind::Separator) {
            bar->addSeparator();
            continue;
        }
        const CommandInfo &info = commandInfo(placement.command);
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(placement.objectName));
        button->setText(info.caption);
        button->setToolTip(shortHint(info.hint));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        setHelpContext(button, info.helpContext);
        bar->addWidget(button);
        entries(placement.command).toolButton = button;
    }
}

void CommandMenus::attachContextMenu(MenuPlace place, QWidget *pane)
{
    QMenu *menu = buildPopup(place, pane);
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(pane, &QWidget::customContextMenuRequested, menu,
                     [pane, menu](const QPoint &at) { menu->popup(pane->mapToGlobal(at)); });
}

QAction *CommandMenus::shortcutEntry(Command command) const
{
    const CommandEntries &e = entries(command);
    return e.mainMenu ? e.mainMenu : e.context;
}

void CommandMenus::applyShortcuts(CommandWindow window, const std::function<QWidget *(ShortcutScope)> &where)
{
    // Shortcuts sit on the main menu's entries, so they act only while their
    // command is available; pane-scoped ones only while that pane has the focus.
    for (const CommandInfo &info : commandTable()) {
        QAction *action = shortcutEntry(info.command);
        if (windowOf(info) != window || !action || info.keys.isEmpty())
            continue;
        action->setShortcuts(info.keys);
        QWidget *scope = where(info.scope);
        if (scope == m_owner) {
            // An entry of a context menu alone acts from the whole window.
            if (action != entries(info.command).mainMenu)
                m_owner->addAction(action);
            continue;
        }
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        scope->addAction(action);
    }
}

void CommandMenus::applyStates(const CommandStates &states)
{
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandEntries &e = m_entries[static_cast<std::size_t>(i)];
        const bool on = states.enabled[static_cast<std::size_t>(i)];
        for (QAction *action : {e.mainMenu, e.dropDown, e.context})
            if (action)
                action->setEnabled(on);
        if (e.toolButton)
            e.toolButton->setEnabled(on);
    }
}

} // namespace marbelo
