#include "presentation/ui/ViewForm.h"

#include "presentation/SlideFile.h"
#include "presentation/ui/KeyHelpForm.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"
#include "topics/ui/PreviewWidgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace marbelo {

TQelViewForm::TQelViewForm(std::unique_ptr<Stream> presentation, std::vector<BlockInfo> slides,
                           Messages &messages, const QString &workDir, QWidget *owner)
    : QDialog(owner, Qt::Window | Qt::FramelessWindowHint),
      m_presentation(std::move(presentation)),
      m_slides(std::move(slides)),
      m_messages(messages),
      m_workDir(workDir),
      m_stepper(static_cast<int>(m_slides.size()))
{
    setObjectName(QStringLiteral("QelViewForm"));
    setWindowTitle(QStringLiteral(" Podgląd prezentacji"));
    // F1 opens this window's own key help, not the program's help.
    setProperty("ownsF1", true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    QelViewImage = new SlideImage(this);
    QelViewImage->setObjectName(QStringLiteral("QelViewImage"));
    QelViewImage->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(QelViewImage);
    setWindowState(Qt::WindowMaximized);
}

TQelViewForm::~TQelViewForm()
{
    showPointer();
}

void TQelViewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TQelViewForm::FormShow()
{
    // Sized to the screen first, so that the slide is decoded at that size.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        move(0, 0);
        resize(screen->geometry().size());
    }
    ShowCurrentSlide();
    hidePointer();
}

void TQelViewForm::ShowCurrentSlide()
{
    QByteArray jpeg;
    QByteArray coded;
    const std::size_t at = static_cast<std::size_t>(m_stepper.current());
    const bool read = at < m_slides.size() && m_presentation
                      && readSlideBlock(*m_presentation, m_slides[at].offset, &coded);
    // A slide that cannot be decoded leaves the screen empty rather than
    // showing the one before.
    if (!read || !passThroughFile(m_workDir + kViewJpgName, coded, &jpeg) || !QelViewImage->loadJpeg(jpeg))
        QelViewImage->clear();
    // Drawn at once, without taking further input while the key is handled.
    QelViewImage->repaint();
}

void TQelViewForm::keyPressEvent(QKeyEvent *event)
{
    // Keys act when released; QDialog would close on the press of Esc.
    event->accept();
}

void TQelViewForm::keyReleaseEvent(QKeyEvent *event)
{
    FormKeyUp(event);
}

void TQelViewForm::FormKeyUp(QKeyEvent *event)
{
    // Holding a key steps once.
    if (event->isAutoRepeat())
        return;
    act(actionForKey(event->key()));
}

bool TQelViewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == QelViewImage && event->type() == QEvent::MouseButtonRelease) {
        QelViewImageMouseUp(static_cast<QMouseEvent *>(event)->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TQelViewForm::QelViewImageMouseUp(Qt::MouseButton button)
{
    act(actionForButton(button));
}

void TQelViewForm::act(SlideAction action)
{
    switch (action) {
    case SlideAction::Previous:
        if (m_stepper.previous())
            ShowCurrentSlide();
        break;
    case SlideAction::Next:
        if (m_stepper.next())
            ShowCurrentSlide();
        break;
    case SlideAction::Help: {
        showPointer();
        TQelHelpForm help(this);
        help.exec();
        hidePointer();
        break;
    }
    case SlideAction::End:
        showPointer();
        close();
        break;
    case SlideAction::None:
        break;
    }
}

void TQelViewForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TQelViewForm::FormCloseQuery()
{
    showPointer();
    const bool end = m_messages.Confirmation2Message(
                         QStringLiteral("Czy jesteś pewien, że chcesz zakończyć podgląd prezentacji ?"), 3, 0, 0)
                     == kAnswerYes;
    if (!end)
        hidePointer();
    return end;
}

void TQelViewForm::showPointer()
{
    if (m_pointerHidden) {
        QApplication::restoreOverrideCursor();
        m_pointerHidden = false;
    }
}

void TQelViewForm::hidePointer()
{
    if (!m_pointerHidden) {
        QApplication::setOverrideCursor(Qt::BlankCursor);
        m_pointerHidden = true;
    }
}

} // namespace marbelo
