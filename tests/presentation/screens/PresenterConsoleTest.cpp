// The full-screen window with two screens: the slides on the second, the
// presenter console on the first. Runs on the offscreen platform set up with
// two screens (two-screens.json, passed by ctest).

#include "presentation/ui/PresentingFixture.h"
#include "presentation/ui/PresenterConsole.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace marbelo;
using namespace testing_support;

namespace {

const unsigned kColours[] = {0xCC2020, 0x20CC20, 0x2020CC};

class PresenterConsoleTest : public PresentingFixture
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::screens().size(), 2)
            << "run with QT_QPA_PLATFORM=offscreen:configfile=tests/presentation/screens/two-screens.json";
        std::vector<QByteArray> jpegs;
        for (const unsigned c : kColours)
            jpegs.push_back(makeJpeg(64, 48, c));
        openView(jpegs);
        console = view->console();
        ASSERT_NE(console, nullptr);
    }
    QString text(const char *name) const { return console->findChild<QLabel *>(QLatin1String(name))->text(); }
    QColor shownIn(const char *name) const
    {
        const QImage shot = console->findChild<SlideCanvas *>(QLatin1String(name))->grab().toImage();
        return closeColour(shot.pixelColor(shot.width() / 2, shot.height() / 2));
    }

    PresenterConsole *console = nullptr;
};

} // namespace

TEST_F(PresenterConsoleTest, SlidesOnTheSecondScreenConsoleOnTheFirst)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    EXPECT_EQ(view->geometry(), screens.at(1)->geometry());
    EXPECT_EQ(view->canvas()->size(), screens.at(1)->size());
    EXPECT_TRUE(console->isVisible());
    EXPECT_EQ(console->screen(), screens.at(0));
    EXPECT_TRUE(console->isMaximized());
    EXPECT_TRUE(screens.at(0)->geometry().contains(console->geometry().center()));
    EXPECT_EQ(text("QelConsoleSlideLabel"), "Slajd 1 z 3");
    EXPECT_EQ(shownIn("QelConsoleCurrentImage"), QColor(0xCC, 0x20, 0x20));
    QTRY_COMPARE(shownIn("QelConsoleNextImage"), QColor(0x20, 0xCC, 0x20));
}

TEST_F(PresenterConsoleTest, KeysAndClicksWorkInBothWindows)
{
    const struct
    {
        const char *what;
        std::function<void()> input;
        int slide;
        ViewForm::Mode mode;
    } steps[] = {
        {"Space on the console", [&] { releaseKey(Qt::Key_Space, console); }, 1, ViewForm::Mode::Slide},
        {"left click on the console", [&] { releaseButton(Qt::LeftButton, console); }, 2, ViewForm::Mode::Slide},
        {"Home on the console", [&] { releaseKey(Qt::Key_Home, console); }, 0, ViewForm::Mode::Slide},
        {"2 on the console", [&] { releaseKey(Qt::Key_2, console); }, 0, ViewForm::Mode::Slide},
        {"Enter on the slides", [&] { releaseKey(Qt::Key_Return); }, 1, ViewForm::Mode::Slide},
        {"B on the console", [&] { releaseKey(Qt::Key_B, console); }, 1, ViewForm::Mode::Blank},
        {"right click on the console", [&] { releaseButton(Qt::RightButton, console); }, 1, ViewForm::Mode::Slide},
        {"G on the console", [&] { releaseKey(Qt::Key_G, console); }, 1, ViewForm::Mode::Overview},
        {"Left on the console", [&] { releaseKey(Qt::Key_Left, console); }, 1, ViewForm::Mode::Overview},
        {"Enter on the console", [&] { releaseKey(Qt::Key_Return, console); }, 0, ViewForm::Mode::Slide},
        {"End on the slides", [&] { releaseKey(Qt::Key_End); }, 2, ViewForm::Mode::Slide},
        {"right click on the slides", [&] { releaseButton(Qt::RightButton); }, 1, ViewForm::Mode::Slide},
    };
    for (const auto &step : steps) {
        step.input();
        EXPECT_EQ(view->currentSlide(), step.slide) << step.what;
        EXPECT_EQ(view->mode(), step.mode) << step.what;
        EXPECT_EQ(text("QelConsoleSlideLabel"), QStringLiteral("Slajd %1 z 3").arg(step.slide + 1)) << step.what;
    }
    EXPECT_EQ(shownIn("QelConsoleCurrentImage"), QColor(0x20, 0xCC, 0x20));
    QTRY_COMPARE(shownIn("QelConsoleNextImage"), QColor(0x20, 0x20, 0xCC));
    releaseKey(Qt::Key_End, console);
    EXPECT_FALSE(console->findChild<SlideCanvas *>("QelConsoleNextImage")->hasPicture()) << "none after the last";
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(PresenterConsoleTest, TimeSinceTheStartRestartsWithR)
{
    QDateTime now(QDate(2026, 3, 2), QTime(9, 30, 0));
    console->setClock([&] { return now; });
    EXPECT_EQ(text("QelConsoleTimeLabel"), "00:00:00");
    EXPECT_EQ(text("QelConsoleClockLabel"), "09:30:00");
    const struct
    {
        int seconds;
        QWidget *restartIn;
        const char *shown;
    } steps[] = {
        {65, nullptr, "00:01:05"},       {3600, nullptr, "01:01:05"}, {5, console, "00:00:00"},
        {42, nullptr, "00:00:42"},       {1, view.get(), "00:00:00"}, {7, nullptr, "00:00:07"},
    };
    for (const auto &step : steps) {
        now = now.addSecs(step.seconds);
        if (step.restartIn)
            releaseKey(Qt::Key_R, step.restartIn);
        else
            console->tick();
        EXPECT_EQ(text("QelConsoleTimeLabel"), QString::fromLatin1(step.shown)) << step.seconds;
        EXPECT_EQ(text("QelConsoleClockLabel"), now.time().toString("HH:mm:ss"));
    }
}

TEST_F(PresenterConsoleTest, ClosingEitherWindowAsksTheQuestionAndEndsBoth)
{
    const struct
    {
        const char *what;
        std::function<void(ViewForm *, PresenterConsole *)> close;
    } closers[] = {
        {"closing the console", [](ViewForm *, PresenterConsole *c) { c->close(); }},
        {"Esc on the console",
         [this](ViewForm *, PresenterConsole *c) { releaseKey(Qt::Key_Escape, c); }},
        {"Esc on the slides", [this](ViewForm *, PresenterConsole *) { releaseKey(Qt::Key_Escape); }},
    };
    for (const auto &closer : closers) {
        messages.calls.clear();
        messages.answers = {false};
        closer.close(view.get(), console);
        EXPECT_TRUE(view->isVisible()) << closer.what;
        EXPECT_TRUE(console->isVisible()) << closer.what;
        EXPECT_TRUE(view->pointerHidden()) << closer.what;
        messages.answers = {true};
        closer.close(view.get(), console);
        EXPECT_FALSE(view->isVisible()) << closer.what;
        EXPECT_FALSE(console->isVisible()) << closer.what;
        EXPECT_EQ(messages.texts(),
                  QStringList(2, QStringLiteral("Czy jesteś pewien, że chcesz zakończyć podgląd prezentacji?")))
            << closer.what;
        view->show();
        console->show();
    }
}
