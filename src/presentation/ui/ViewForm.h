// The full-screen preview window " Podgląd prezentacji": shows the slides of a
// presentation file one at a time, stepped and jumped by keys and mouse
// buttons, with a blanked screen, an overview of all slides and, on a second
// screen, the presenter console. Used by the program's preview and by the
// player of exported presentations.
#pragma once

#include "presentation/ChapterClock.h"
#include "presentation/SlidePictures.h"
#include "presentation/SlideStepper.h"
#include "store/SlideBlocks.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;

namespace marbelo {

class Messages;
class PresenterConsole;
class SlideCanvas;
class SlideOverview;
class Stream;

class ViewForm : public QDialog
{
    Q_OBJECT
public:
    // Shows the blocks of the open presentation file. The end of the preview
    // is confirmed through messages.
    ViewForm(std::unique_ptr<Stream> presentation, std::vector<BlockInfo> slides, Messages &messages,
             QWidget *owner = nullptr);
    ~ViewForm() override;

    enum class Mode { Slide, Blank, Overview };

    int currentSlide() const { return m_stepper.current(); }
    int slideCount() const { return m_stepper.count(); }
    bool pointerHidden() const { return m_pointerHidden; }
    Mode mode() const { return m_mode; }
    SlideFit fit() const { return m_pictures.fit(); }
    // The digits of a slide number typed so far.
    QString typedNumber() const { return m_number.digits(); }
    SlidePictures &pictures() { return m_pictures; }
    // The console on the first screen, when there are two or more.
    PresenterConsole *console() const { return m_console; }
    SlideOverview *overview() const { return m_overview; }
    // The chapters of the slides, for the presenter console's chapter line.
    void setChapterClock(const ChapterClock &clock) { m_chapterClock = clock; }
    // The slide picture ("QelViewImage").
    SlideCanvas *canvas() const { return m_canvas; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The first showing: the screen, the first slide and the console.
    void startShowing();
    // Keys and mouse buttons act when released, in the window or the console.
    void handleKeyRelease(int key, bool autoRepeat);
    void handleButtonRelease(Qt::MouseButton button);
    // Asks whether to end the preview; true to end it.
    bool confirmEnd();
    void showCurrentSlide();
    void act(SlideAction action, int key);
    void overviewKey(int key);
    void leaveOverview(int open);
    void blankScreen(const QColor &colour);
    void updateConsole();
    void updateDescription();
    void showPointer();
    void hidePointer();

    std::unique_ptr<Stream> m_presentation;
    std::vector<BlockInfo> m_slides;
    Messages &m_messages;
    SlideStepper m_stepper;
    SlideNumberEntry m_number;
    SlidePictures m_pictures;
    Mode m_mode = Mode::Slide;
    SlideCanvas *m_canvas = nullptr;
    SlideOverview *m_overview = nullptr;
    QLabel *m_numberLabel = nullptr;
    PresenterConsole *m_console = nullptr;
    bool m_pointerHidden = false;
    ChapterClock m_chapterClock;
};

} // namespace marbelo
