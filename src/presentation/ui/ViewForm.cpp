#include "presentation/ui/ViewForm.h"

#include "presentation/ui/KeyHelpForm.h"
#include "presentation/ui/PresenterConsole.h"
#include "presentation/ui/SlideCanvas.h"
#include "presentation/ui/SlideOverview.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace marbelo {

ViewForm::ViewForm(std::unique_ptr<Stream> presentation, std::vector<BlockInfo> slides, Messages &messages,
                   QWidget *owner)
    : QDialog(owner, Qt::Window | Qt::FramelessWindowHint),
      m_presentation(std::move(presentation)),
      m_slides(std::move(slides)),
      m_messages(messages),
      m_stepper(static_cast<int>(m_slides.size())),
      m_pictures(
          [this](int index) {
              QByteArray coded;
              if (m_presentation && !readSlideBlock(*m_presentation, m_slides[std::size_t(index)].offset, &coded))
                  coded.clear();
              return coded;
          },
          static_cast<int>(m_slides.size()))
{
    setObjectName(QStringLiteral("QelViewForm"));
    setWindowTitle(QStringLiteral(" Podgląd prezentacji"));
    // F1 opens this window's own key help, not the program's help.
    setProperty("ownsF1", true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    m_canvas = new SlideCanvas(this);
    m_canvas->setObjectName(QStringLiteral("QelViewImage"));
    m_canvas->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_canvas);

    m_overview = new SlideOverview(m_pictures, m_stepper.count(), this);
    m_overview->installEventFilter(this);
    m_overview->hide();

    // The digits of a slide number, small in the bottom right corner.
    m_numberLabel = new QLabel(this);
    m_numberLabel->setObjectName(QStringLiteral("QelViewNumberLabel"));
    m_numberLabel->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background: rgba(0, 0, 0, 160); padding: 2px 6px; font-size: 20px; }"));
    m_numberLabel->hide();

    connect(&m_pictures, &SlidePictures::pictureReady, this, [this](int index) {
        if (m_console && index == m_stepper.current() + 1)
            m_console->showNext(m_pictures.readyPicture(index));
    });
    setWindowState(Qt::WindowMaximized);
    updateDescription();
}

ViewForm::~ViewForm()
{
    showPointer();
}

bool ViewForm::event(QEvent *event)
{
    // Tab opens the overview instead of moving the focus.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QDialog::event(event);
}

void ViewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        startShowing();
}

void ViewForm::startShowing()
{
    // With two screens or more the slides go to the second (the projector)
    // and the console to the first; sized first, so that the slides are
    // decoded at that size.
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *projector = screens.size() >= 2 ? screens.at(1) : QGuiApplication::primaryScreen();
    if (projector) {
        if (screens.size() >= 2)
            setScreen(projector);
        setGeometry(projector->geometry());
    }
    m_pictures.setScreen(size(), fit());
    showCurrentSlide();
    if (screens.size() >= 2 && !m_console) {
        m_console = new PresenterConsole(this);
        connect(m_console, &PresenterConsole::keyReleased, this, &ViewForm::handleKeyRelease);
        connect(m_console, &PresenterConsole::buttonReleased, this, &ViewForm::handleButtonRelease);
        connect(m_console, &PresenterConsole::closeAsked, this, &ViewForm::close);
        m_console->setScreen(screens.at(0));
        m_console->setGeometry(screens.at(0)->availableGeometry());
        m_console->setChapterLine([this](const QDateTime &now) {
            return std::pair<QString, bool>(m_chapterClock.line(now), m_chapterClock.overrun(now));
        });
        updateConsole();
        m_console->showMaximized();
    }
    hidePointer();
}

void ViewForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    m_overview->setGeometry(rect());
    m_numberLabel->move(width() - m_numberLabel->width() - 16, height() - m_numberLabel->height() - 16);
}

void ViewForm::showCurrentSlide()
{
    // A slide that cannot be decoded leaves the screen empty rather than
    // showing the one before.
    const QImage picture = m_pictures.picture(m_stepper.current());
    if (picture.isNull())
        m_canvas->clear();
    else
        m_canvas->setPicture(picture, fit());
    // Drawn at once, without taking further input while the key is handled.
    m_canvas->repaint();
    m_pictures.readAround(m_stepper.current());
    updateDescription();
    updateConsole();
}

void ViewForm::updateConsole()
{
    if (!m_console)
        return;
    const int at = m_stepper.current();
    m_chapterClock.show(at, m_console->now());
    m_console->showSlides(m_pictures.readyPicture(at), m_pictures.readyPicture(at + 1), at, m_stepper.count());
    m_console->tick();
}

void ViewForm::updateDescription()
{
    switch (m_mode) {
    case Mode::Slide:
        setAccessibleDescription(QStringLiteral("Slajd %1 z %2").arg(m_stepper.current() + 1).arg(m_stepper.count()));
        break;
    case Mode::Blank:
        setAccessibleDescription(QStringLiteral("Ekran wygaszony"));
        break;
    case Mode::Overview:
        setAccessibleDescription(QStringLiteral("Przegląd slajdów"));
        break;
    }
}

void ViewForm::keyPressEvent(QKeyEvent *event)
{
    // Keys act when released; QDialog would close on the press of Esc.
    event->accept();
}

void ViewForm::keyReleaseEvent(QKeyEvent *event)
{
    handleKeyRelease(event->key(), event->isAutoRepeat());
}

void ViewForm::handleKeyRelease(int key, bool autoRepeat)
{
    // Holding a key steps once.
    if (autoRepeat)
        return;
    switch (m_mode) {
    case Mode::Blank:
        // Any key only brings the slide back.
        blankScreen(QColor());
        return;
    case Mode::Overview:
        overviewKey(key);
        return;
    case Mode::Slide:
        break;
    }
    // Esc first drops a slide number being typed.
    if (key == Qt::Key_Escape && !m_number.isEmpty()) {
        m_number.clear();
        m_numberLabel->hide();
        return;
    }
    act(actionForKey(key), key);
}

void ViewForm::overviewKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
        m_overview->moveSelection(-1, 0);
        break;
    case Qt::Key_Right:
        m_overview->moveSelection(1, 0);
        break;
    case Qt::Key_Up:
        m_overview->moveSelection(0, -1);
        break;
    case Qt::Key_Down:
        m_overview->moveSelection(0, 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        leaveOverview(m_overview->selection());
        break;
    case Qt::Key_Escape:
    case Qt::Key_G:
    case Qt::Key_Tab:
        leaveOverview(-1);
        break;
    default:
        break;
    }
}

void ViewForm::leaveOverview(int open)
{
    m_mode = Mode::Slide;
    m_overview->hide();
    if (open >= 0)
        m_stepper.goTo(open);
    hidePointer();
    showCurrentSlide();
}

void ViewForm::blankScreen(const QColor &colour)
{
    m_mode = colour.isValid() ? Mode::Blank : Mode::Slide;
    m_canvas->setBlank(colour);
    m_canvas->repaint();
    updateDescription();
}

bool ViewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == m_canvas) {
            handleButtonRelease(mouse->button());
            return true;
        }
        if (watched == m_overview) {
            // A click on a thumbnail opens its slide.
            const int index = m_overview->indexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && index >= 0)
                leaveOverview(index);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ViewForm::handleButtonRelease(Qt::MouseButton button)
{
    if (m_mode == Mode::Blank)
        blankScreen(QColor());
    else if (m_mode == Mode::Slide)
        act(actionForButton(button), 0);
}

void ViewForm::act(SlideAction action, int key)
{
    switch (action) {
    case SlideAction::Previous:
        if (m_stepper.previous())
            showCurrentSlide();
        break;
    case SlideAction::Next:
        if (m_stepper.next())
            showCurrentSlide();
        break;
    case SlideAction::First:
        if (m_stepper.first())
            showCurrentSlide();
        break;
    case SlideAction::Last:
        if (m_stepper.last())
            showCurrentSlide();
        break;
    case SlideAction::Digit:
        m_number.type(digitForKey(key));
        m_numberLabel->setText(m_number.digits());
        m_numberLabel->adjustSize();
        m_numberLabel->move(width() - m_numberLabel->width() - 16, height() - m_numberLabel->height() - 16);
        m_numberLabel->show();
        m_numberLabel->raise();
        break;
    case SlideAction::Enter:
        m_numberLabel->hide();
        if (m_stepper.goTo(m_number.take()))
            showCurrentSlide();
        break;
    case SlideAction::Black:
        blankScreen(Qt::black);
        break;
    case SlideAction::White:
        blankScreen(Qt::white);
        break;
    case SlideAction::Overview:
        m_mode = Mode::Overview;
        m_overview->setGeometry(rect());
        m_overview->start(m_stepper.current());
        m_overview->show();
        m_overview->raise();
        // Thumbnails are chosen with the mouse too.
        showPointer();
        updateDescription();
        break;
    case SlideAction::Proportions:
        m_pictures.setScreen(size(), fit() == SlideFit::Stretch ? SlideFit::KeepProportions : SlideFit::Stretch);
        showCurrentSlide();
        break;
    case SlideAction::RestartTimer:
        if (m_console)
            m_console->restartTimer();
        break;
    case SlideAction::Help: {
        showPointer();
        KeyHelpForm help(this);
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

void ViewForm::closeEvent(QCloseEvent *event)
{
    if (!confirmEnd()) {
        event->ignore();
        return;
    }
    if (m_console)
        m_console->hide();
    QDialog::closeEvent(event);
}

bool ViewForm::confirmEnd()
{
    showPointer();
    const bool end = m_messages.confirm(
        QStringLiteral("Czy jesteś pewien, że chcesz zakończyć podgląd prezentacji?"), DefaultAnswer::Yes);
    // The overview keeps the pointer for choosing a thumbnail.
    if (!end && m_mode != Mode::Overview)
        hidePointer();
    return end;
}

void ViewForm::showPointer()
{
    if (m_pointerHidden) {
        QApplication::restoreOverrideCursor();
        m_pointerHidden = false;
    }
}

void ViewForm::hidePointer()
{
    if (!m_pointerHidden) {
        QApplication::setOverrideCursor(Qt::BlankCursor);
        m_pointerHidden = true;
    }
}

} // namespace marbelo
