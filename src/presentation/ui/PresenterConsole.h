// The presenter console on the trainer's own screen while the slides fill
// the projector: the slide shown, the next one, "Slajd N z M", the time since
// the start, the clock and the current chapter's time against its plan. Its keys, clicks and closing go to the full-screen
// window, which decides what they do.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace marbelo {

class SlideCanvas;

class PresenterConsole : public QWidget
{
    Q_OBJECT
public:
    explicit PresenterConsole(QWidget *owner);

    // Pictures may be null (not decoded yet, or no next slide). They are
    // shown with their own proportions, however the projector shows them.
    void showSlides(const QImage &current, const QImage &next, int index, int count);
    void showNext(const QImage &next);
    // The time since the start counts from now again.
    void restartTimer();
    // Where the time comes from (tests set their own clock); restarts the timer.
    void setClock(std::function<QDateTime()> now);
    // Updates the time since the start, the clock and the chapter line.
    void tick();
    QDateTime now() const { return m_now(); }
    // The chapter line ("Rozdział 2 · 23 min z 90") at a time, and whether
    // the chapter has run over its plan; none: no chapter line.
    using ChapterLine = std::function<std::pair<QString, bool>(const QDateTime &)>;
    void setChapterLine(ChapterLine line);

signals:
    void keyReleased(int key, bool autoRepeat);
    void buttonReleased(Qt::MouseButton button);
    void closeAsked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    SlideCanvas *m_current;
    SlideCanvas *m_next;
    QLabel *m_slideLabel;
    QLabel *m_elapsedLabel;
    QLabel *m_clockLabel;
    QLabel *m_chapterLabel;
    ChapterLine m_chapterLine;
    QTimer *m_ticker;
    std::function<QDateTime()> m_now;
    QDateTime m_start;
};

} // namespace marbelo
