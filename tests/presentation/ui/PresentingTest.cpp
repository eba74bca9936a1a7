// The full-screen window over a presentation file, as the preview and the
// player show it: jumps, typed slide numbers, blank screens, the overview,
// kept proportions, decoding ahead and the accessible description.

#include "presentation/ui/PresentingFixture.h"

#include "presentation/ui/SlideOverview.h"

#include <QLabel>
#include <QTest>

using namespace marbelo;
using namespace testing_support;

namespace {

// Five slides of five colours.
const unsigned kColours[] = {0xCC2020, 0x20CC20, 0x2020CC, 0xCCCC20, 0x20CCCC};

class PresentingTest : public PresentingFixture
{
protected:
    void SetUp() override
    {
        std::vector<QByteArray> jpegs;
        for (const unsigned c : kColours)
            jpegs.push_back(makeJpeg(64, 48, c));
        openView(jpegs);
    }
    // The colour of the slide index, as shown at the centre.
    static QColor slideColour(int index) { return QColor(QRgb(kColours[index])); }
};

} // namespace

TEST_F(PresentingTest, JumpsAndTypedNumbersStayWithinTheSlides)
{
    const struct
    {
        const char *keys; // digits, H(ome), E(nd), ⏎ as '=', Esc as 'x', Space as ' '
        int slide;
        const char *typed;
    } steps[] = {
        {"E", 4, ""},   {"E", 4, ""},   {"H", 0, ""},    {"H", 0, ""},   {"3", 0, "3"},  {"=", 2, ""},
        {"6=", 2, ""},  {"0=", 2, ""},  {"05=", 4, ""},  {"1", 4, "1"},  {" ", 4, "1"}, {"x", 4, ""},
        {"=", 4, ""},   {"2 ", 4, "2"}, {"=", 1, ""},    {"999999999=", 1, ""},
    };
    for (const auto &step : steps) {
        for (const char *k = step.keys; *k; ++k) {
            switch (*k) {
            case 'H': releaseKey(Qt::Key_Home); break;
            case 'E': releaseKey(Qt::Key_End); break;
            case '=': releaseKey(Qt::Key_Return); break;
            case 'x': releaseKey(Qt::Key_Escape); break;
            case ' ': releaseKey(Qt::Key_Space); break;
            default: releaseKey(Qt::Key(Qt::Key_0 + (*k - '0'))); break;
            }
        }
        EXPECT_EQ(view->currentSlide(), step.slide) << step.keys;
        EXPECT_EQ(view->typedNumber(), QString::fromLatin1(step.typed)) << step.keys;
        EXPECT_EQ(centreColour(), slideColour(step.slide)) << step.keys;
        auto *label = view->findChild<QLabel *>("QelViewNumberLabel");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->isVisible(), *step.typed != 0) << step.keys;
        if (*step.typed) {
            EXPECT_EQ(label->text(), QString::fromLatin1(step.typed));
        }
    }
    // Esc that only dropped the typed digits asked nothing.
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(view->isVisible());
}

TEST_F(PresentingTest, BlankScreenReturnsOnAnyInputThatDoesNothingElse)
{
    const struct
    {
        Qt::Key blankKey;
        QColor colour;
    } blanks[] = {{Qt::Key_B, Qt::black}, {Qt::Key_Period, Qt::black}, {Qt::Key_W, Qt::white}, {Qt::Key_Comma, Qt::white}};
    const std::function<void()> returns[] = {
        [&] { releaseKey(Qt::Key_Space); },       [&] { releaseKey(Qt::Key_Escape); },
        [&] { releaseKey(Qt::Key_Left); },        [&] { releaseKey(Qt::Key_End); },
        [&] { releaseKey(Qt::Key_B); },           [&] { releaseKey(Qt::Key_G); },
        [&] { releaseButton(Qt::LeftButton); },   [&] { releaseButton(Qt::RightButton); },
        [&] { releaseButton(Qt::MiddleButton); },
    };
    releaseKey(Qt::Key_Space);
    for (const auto &blank : blanks) {
        int i = 0;
        for (const auto &input : returns) {
            releaseKey(blank.blankKey);
            EXPECT_EQ(view->mode(), ViewForm::Mode::Blank);
            EXPECT_EQ(centreColour(), blank.colour);
            input();
            EXPECT_EQ(view->mode(), ViewForm::Mode::Slide) << i;
            EXPECT_EQ(view->currentSlide(), 1) << i;
            EXPECT_EQ(centreColour(), slideColour(1)) << i;
            ++i;
        }
    }
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(PresentingTest, OverviewFillsInMovesAndOpensASlide)
{
    releaseKey(Qt::Key_Right);
    releaseKey(Qt::Key_G);
    SlideOverview *overview = view->overview();
    ASSERT_TRUE(overview->isVisible());
    EXPECT_EQ(view->mode(), ViewForm::Mode::Overview);
    EXPECT_FALSE(view->pointerHidden());
    // 800 x 600: five slides in two columns and three rows.
    ASSERT_EQ(overview->columns(), 2);
    EXPECT_EQ(overview->selection(), 1);
    QTRY_VERIFY(view->pictures().idle());
    const QImage shot = overview->grab().toImage();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(closeColour(shot.pixelColor(overview->cellRect(i).center())), slideColour(i)) << i;

    const struct
    {
        Qt::Key key;
        int selection;
    } moves[] = {{Qt::Key_Right, 2}, {Qt::Key_Left, 1},  {Qt::Key_Left, 0},  {Qt::Key_Left, 0},
                 {Qt::Key_Up, 0},    {Qt::Key_Down, 2},  {Qt::Key_Down, 4},  {Qt::Key_Right, 4},
                 {Qt::Key_Up, 2},    {Qt::Key_Right, 3}, {Qt::Key_Down, 3},  {Qt::Key_Space, 3}};
    for (const auto &move : moves) {
        releaseKey(move.key);
        EXPECT_EQ(overview->selection(), move.selection) << move.key;
        EXPECT_EQ(view->currentSlide(), 1);
    }
    releaseKey(Qt::Key_Return);
    EXPECT_FALSE(overview->isVisible());
    EXPECT_EQ(view->currentSlide(), 3);
    EXPECT_EQ(centreColour(), slideColour(3));
    EXPECT_TRUE(view->pointerHidden());

    // Esc, G and Tab go back to the same slide; a click opens the slide clicked.
    for (const Qt::Key back : {Qt::Key_Escape, Qt::Key_G, Qt::Key_Tab}) {
        releaseKey(Qt::Key_Tab);
        ASSERT_TRUE(overview->isVisible());
        releaseKey(Qt::Key_Down);
        releaseKey(back);
        EXPECT_FALSE(overview->isVisible()) << back;
        EXPECT_EQ(view->currentSlide(), 3);
    }
    releaseKey(Qt::Key_G);
    QTest::mouseClick(overview, Qt::LeftButton, Qt::NoModifier, overview->cellRect(4).center());
    EXPECT_FALSE(overview->isVisible());
    EXPECT_EQ(view->currentSlide(), 4);
    EXPECT_EQ(centreColour(), slideColour(4));
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(PresentingTest, AccessibleDescriptionFollowsWhatIsShown)
{
    const struct
    {
        Qt::Key key;
        const char *description;
    } steps[] = {
        {Qt::Key_unknown, "Slajd 1 z 5"}, {Qt::Key_Space, "Slajd 2 z 5"},      {Qt::Key_B, "Ekran wygaszony"},
        {Qt::Key_A, "Slajd 2 z 5"},       {Qt::Key_G, "Przegląd slajdów"},     {Qt::Key_Escape, "Slajd 2 z 5"},
        {Qt::Key_End, "Slajd 5 z 5"},     {Qt::Key_Comma, "Ekran wygaszony"}, {Qt::Key_Space, "Slajd 5 z 5"},
    };
    for (const auto &step : steps) {
        releaseKey(step.key);
        EXPECT_EQ(view->accessibleDescription(), QString::fromUtf8(step.description)) << step.key;
    }
}

TEST_F(PresentingTest, NeighboursAreDecodedAheadAtTheScreenSize)
{
    releaseKey(Qt::Key_Space);
    // The next, the previous and both ends wait ready; a step shows the very
    // picture decoded ahead.
    QTRY_VERIFY(view->pictures().idle());
    for (const int index : {0, 2, 4}) {
        const QImage ready = view->pictures().readyPicture(index);
        ASSERT_FALSE(ready.isNull()) << index;
        EXPECT_EQ(ready.size(), view->size());
    }
    const qint64 next = view->pictures().readyPicture(2).cacheKey();
    releaseKey(Qt::Key_Space);
    EXPECT_EQ(view->canvas()->picture().cacheKey(), next);
    // Only the neighbours and the ends are kept.
    QTRY_VERIFY(view->pictures().idle());
    releaseKey(Qt::Key_Space);
    QTRY_VERIFY(view->pictures().idle());
    EXPECT_TRUE(view->pictures().readyPicture(1).isNull());
    EXPECT_FALSE(view->pictures().readyPicture(4).isNull());
}

using PresentingOneSlideTest = PresentingFixture;

TEST_F(PresentingOneSlideTest, PKeepsTheSlidesProportionsOnBlack)
{
    // A slide four times as wide as high on the 800 x 600 screen.
    openView({makeJpeg(200, 50, 0x2020CC)});
    const QColor blue(0x20, 0x20, 0xCC);
    const struct
    {
        SlideFit fit;
        QColor top;
    } states[] = {{SlideFit::Stretch, blue}, {SlideFit::KeepProportions, Qt::black}, {SlideFit::Stretch, blue}};
    bool first = true;
    for (const auto &state : states) {
        if (!first)
            releaseKey(Qt::Key_P);
        first = false;
        EXPECT_EQ(view->fit(), state.fit);
        const QImage shot = view->canvas()->grab().toImage();
        EXPECT_EQ(closeColour(shot.pixelColor(shot.width() / 2, 20)), state.top);
        EXPECT_EQ(closeColour(shot.pixelColor(shot.width() / 2, shot.height() / 2)), blue);
        EXPECT_EQ(closeColour(shot.pixelColor(10, shot.height() / 2)), blue);
    }
}
