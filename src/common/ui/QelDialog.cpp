#include "common/ui/QelDialog.h"

#include "common/ui/HelpContext.h"

#include <QKeyEvent>
#include <QScreen>

namespace marbelo {

QelDialog::QelDialog(QWidget *owner, const QString &caption, int helpContext, QSize clientSize)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_helpContext(helpContext)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setHelpContext(this, helpContext);
}

void QelDialog::finishLayout()
{
    for (QWidget *child : findChildren<QWidget *>()) {
        if (helpContext(child) == 0)
            setHelpContext(child, m_helpContext);
        child->installEventFilter(this);
    }
}

void QelDialog::openHelp()
{
    help().showTopic(m_helpContext);
}

bool QelDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Key preview: Esc released in any control closes the dialog.
    if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QelDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc acts when released, not when pressed.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void QelDialog::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) {
        reject();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void QelDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QWidget *owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->window()->frameGeometry().center());
        move(frame.topLeft());
    }
    formShow();
}

} // namespace marbelo
