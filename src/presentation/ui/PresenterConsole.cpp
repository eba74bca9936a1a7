#include "presentation/ui/PresenterConsole.h"

#include "presentation/ui/SlideCanvas.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace marbelo {

namespace {

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, int pixels)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPixelSize(pixels);
    label->setFont(f);
    return label;
}

SlideCanvas *addCanvas(QWidget *parent, const QString &name)
{
    auto *canvas = new SlideCanvas(parent);
    canvas->setObjectName(name);
    canvas->setMinimumSize(160, 90);
    return canvas;
}

} // namespace

PresenterConsole::PresenterConsole(QWidget *owner)
    : QWidget(owner, Qt::Window), m_now([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("QelConsoleForm"));
    setWindowTitle(QStringLiteral(" Konsola prezentera"));
    setFocusPolicy(Qt::StrongFocus);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(24, 24, 24));
    dark.setColor(QPalette::WindowText, Qt::white);
    setPalette(dark);
    setAutoFillBackground(true);

    m_current = addCanvas(this, QStringLiteral("QelConsoleCurrentImage"));
    m_next = addCanvas(this, QStringLiteral("QelConsoleNextImage"));
    m_slideLabel = addLabel(this, QStringLiteral("QelConsoleSlideLabel"), QString(), 32);
    m_elapsedLabel = addLabel(this, QStringLiteral("QelConsoleTimeLabel"), QString(), 48);
    m_clockLabel = addLabel(this, QStringLiteral("QelConsoleClockLabel"), QString(), 32);
    m_chapterLabel = addLabel(this, QStringLiteral("QelConsoleChapterLabel"), QString(), 28);
    m_chapterLabel->hide();

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(addLabel(this, QStringLiteral("QelConsoleCurrentCaption"), QStringLiteral("Bieżący slajd"), 20),
                      0, 0);
    layout->addWidget(m_current, 1, 0, 4, 1);
    layout->addWidget(addLabel(this, QStringLiteral("QelConsoleNextCaption"), QStringLiteral("Następny slajd"), 20),
                      0, 1);
    layout->addWidget(m_next, 1, 1);
    layout->addWidget(m_slideLabel, 2, 1);
    layout->addWidget(m_elapsedLabel, 3, 1);
    layout->addWidget(m_clockLabel, 4, 1);
    layout->addWidget(m_chapterLabel, 5, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(1, 3);

    m_ticker = new QTimer(this);
    m_ticker->setInterval(1000);
    connect(m_ticker, &QTimer::timeout, this, &PresenterConsole::tick);
    m_ticker->start();
    restartTimer();
}

void PresenterConsole::showSlides(const QImage &current, const QImage &next, int index, int count)
{
    if (current.isNull())
        m_current->clear();
    else
        m_current->setPicture(current, SlideFit::KeepProportions);
    showNext(next);
    m_slideLabel->setText(QStringLiteral("Slajd %1 z %2").arg(index + 1).arg(count));
}

void PresenterConsole::showNext(const QImage &next)
{
    if (next.isNull())
        m_next->clear();
    else
        m_next->setPicture(next, SlideFit::KeepProportions);
}

void PresenterConsole::restartTimer()
{
    m_start = m_now();
    tick();
}

void PresenterConsole::setClock(std::function<QDateTime()> now)
{
    m_now = std::move(now);
    restartTimer();
}

void PresenterConsole::tick()
{
    const QDateTime now = m_now();
    const qint64 seconds = std::max<qint64>(0, m_start.secsTo(now));
    m_elapsedLabel->setText(QStringLiteral("%1:%2:%3")
                                .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                                .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0')));
    m_clockLabel->setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    const auto [line, over] = m_chapterLine ? m_chapterLine(now) : std::pair<QString, bool>();
    m_chapterLabel->setVisible(!line.isEmpty());
    m_chapterLabel->setText(line);
    // Over the plan: in orange as well as in words.
    m_chapterLabel->setStyleSheet(over ? QStringLiteral("color: #ff9040;") : QString());
}

void PresenterConsole::setChapterLine(ChapterLine line)
{
    m_chapterLine = std::move(line);
    tick();
}

bool PresenterConsole::event(QEvent *event)
{
    // Tab opens the overview here too, rather than moving the focus.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void PresenterConsole::keyPressEvent(QKeyEvent *event)
{
    // Keys act when released, as in the full-screen window.
    event->accept();
}

void PresenterConsole::keyReleaseEvent(QKeyEvent *event)
{
    emit keyReleased(event->key(), event->isAutoRepeat());
}

void PresenterConsole::mouseReleaseEvent(QMouseEvent *event)
{
    emit buttonReleased(event->button());
}

void PresenterConsole::closeEvent(QCloseEvent *event)
{
    // The full-screen window asks whether to end, and closes this one with it.
    event->ignore();
    emit closeAsked();
}

} // namespace marbelo
