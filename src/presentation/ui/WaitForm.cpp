#include "presentation/ui/WaitForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>

namespace marbelo {

WaitForm::WaitForm(QWidget *owner)
    // A title bar without any button: the window cannot be closed by the user.
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                         | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("QelWaitForm"));
    setWindowTitle(QStringLiteral("Informacja"));
    setFixedSize(392, 53);

    auto *label = new QLabel(QStringLiteral("Proszę czekać trwa tworzenie prezentacji ..."), this);
    label->setObjectName(QStringLiteral("QelWaitLabel"));
    label->move(16, 16);
    label->adjustSize();

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("QelWaitImage"));
    image->setGeometry(352, 8, 33, 41);
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(32, 32));
}

void WaitForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QRect area;
    if (QWidget *owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        // move() places the frame, so centre the frame, title bar included.
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}

} // namespace marbelo
