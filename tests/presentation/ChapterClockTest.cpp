// The chapter line of the presenter console: the chapter of each slide, its
// planned minutes and the time its slides were shown in this run.

#include "presentation/ChapterClock.h"

#include <gtest/gtest.h>

using namespace marbelo;

TEST(ChapterClock, TimeOnEachChapterAgainstItsPlan)
{
    constexpr ItemReference kChapter = 0x40000000;
    // Slides: front page, A's two slides, a top-level slide, B's slide.
    const OutlineTree tree = OutlineTree::fromRecords({
        {QStringLiteral("A"), 0, kChapter, PlannedHours{4, 0}}, // one lesson hour: 45 min
        {QStringLiteral("a1"), 1, 0x10},
        {QStringLiteral("D"), 1, 0},
        {QStringLiteral("a2"), 2, 0x20},
        {QStringLiteral("s"), 0, 0x30},
        {QStringLiteral("B"), 0, kChapter},
        {QStringLiteral("b1"), 1, 0x40},
    });
    ChapterClock clock(tree, true);
    const QDateTime start(QDate(2026, 12, 9), QTime(9, 0));
    const auto at = [&](int minutes) { return start.addSecs(minutes * 60); };
    struct Step
    {
        int minute;
        int slide;
        const char *line; // at that minute, once the slide is shown
        bool over;
    };
    const Step steps[] = {
        {0, 0, "", false},
        {5, 1, "Rozdział 1 · 0 min z 45", false},
        {25, 2, "Rozdział 1 · 20 min z 45", false},
        {35, 3, "", false},                  // a slide outside any chapter
        {40, 4, "Rozdział 2 · 0 min", false}, // a chapter without hours
        {41, 1, "Rozdział 1 · 30 min z 45", false},
        {56, 2, "Rozdział 1 · 45 min z 45", false},
        {57, 1, "Rozdział 1 · 46 min z 45 — ponad plan", true},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.minute);
        clock.show(s.slide, at(s.minute));
        EXPECT_EQ(clock.line(at(s.minute)), QString::fromUtf8(s.line));
        EXPECT_EQ(clock.overrun(at(s.minute)), s.over);
    }
    // The time runs on while a slide stays.
    EXPECT_EQ(clock.line(at(67)), QStringLiteral("Rozdział 1 · 56 min z 45 — ponad plan"));
    // Without a front page the first slide is the chapter's.
    ChapterClock noFront(tree, false);
    noFront.show(0, start);
    EXPECT_EQ(noFront.line(start), QStringLiteral("Rozdział 1 · 0 min z 45"));
}
