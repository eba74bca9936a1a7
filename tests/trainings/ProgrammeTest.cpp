// The programme read from an outline: counted hours, the minimum per type,
// the numbered rows and the TSV, the hours' own syntax, and hours whose item
// is no longer where the programme file says (dropped, never misplaced).

#include "trainings/Programme.h"
#include "store/Outline.h"
#include "store/ProgrammeFile.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

constexpr ItemReference kChapter = 0x40000000;
constexpr PlannedHours q(int theory, int exercises = 0)
{
    return {theory, exercises};
}

// R1 (own 2 h)          R2 (no own: 3 h + 0.5 h exercises from below)
//   D1 (1 h)              D3 (1 h + 0.5 h)
//   slide                 D4 (2 h)
//   D2                  S  (slide at the top level)
OutlineTree sample(std::optional<PlannedHours> r1 = q(8))
{
    return OutlineTree::fromRecords({
        {QStringLiteral("R1"), 0, kChapter, r1},
        {QStringLiteral("D1"), 1, 0, q(4)},
        {QStringLiteral("slajd"), 1, 0x10},
        {QStringLiteral("D2"), 1, 0},
        {QStringLiteral("R2"), 0, kChapter},
        {QStringLiteral("D3"), 1, 0, q(4, 2)},
        {QStringLiteral("D4"), 1, 0, q(8)},
        {QStringLiteral("S"), 0, 0x20},
    });
}

} // namespace

TEST(Programme, TotalAgainstTheMinimumOfEachType)
{
    struct Case
    {
        int type;
        PlannedHours total;
        bool met;
        const char *line;
    };
    const Case cases[] = {
        {2, q(24), false, "Program: 6 h z wymaganych 8 — poniżej minimum"},
        {2, q(32), true, "Program: 8 h z wymaganych 8"},
        {5, q(31, 1), true, "Program: 8 h z wymaganych 8"},
        {1, q(63), false, "Program: 15,75 h z wymaganych 16 — poniżej minimum"},
        {3, q(64), true, "Program: 16 h z wymaganych 16"},
        {4, q(112, 16), true, "Program: 32 h z wymaganych 32 (ćwiczenia: 4 h z wymaganych 4)"},
        {4, q(120, 8), false, "Program: 32 h z wymaganych 32 (ćwiczenia: 2 h z wymaganych 4) — poniżej minimum"},
        {0, q(232, 24), true, "Program: 64 h z wymaganych 64 (ćwiczenia: 6 h z wymaganych 6)"},
        {0, q(300, 20), false, "Program: 80 h z wymaganych 64 (ćwiczenia: 5 h z wymaganych 6) — poniżej minimum"},
        {7, q(0), true, "Program: 0 h z wymaganych 0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(meetsMinimum(c.total, c.type), c.met);
        EXPECT_EQ(programmeLine(c.total, c.type), QString::fromUtf8(c.line));
    }
}

TEST(Programme, HeadingsCountTheirOwnHoursOrTheirSubHeadings)
{
    const OutlineTree tree = sample();
    const std::vector<ProgrammeRow> rows = programmeRows(tree);
    QStringList shown;
    for (const ProgrammeRow &row : rows)
        shown << row.number + QLatin1Char(' ') + row.name + QLatin1Char(' ') + hoursText(row.hours.theory)
                     + QLatin1Char('+') + hoursText(row.hours.exercises)
                     + headingHoursSuffix(tree, row.node);
    // Slides are no rows and take no number; R1's own 2 h win over its detail.
    EXPECT_EQ(shown, QStringList({"1. R1 2+0 — 2 h (podpunkty: 1 h)", "1.1 D1 1+0 — 1 h", "1.2 D2 0+0",
                                  "2. R2 3+0.5 — 3,5 h", "2.1 D3 1+0.5 — 1,5 h", "2.2 D4 2+0 — 2 h"}));
    EXPECT_EQ(programmeTotal(tree), q(20, 2));
    // Without its own hours R1 counts its sub-headings, and nothing mismatches.
    const OutlineTree counted = sample(std::nullopt);
    EXPECT_EQ(programmeTotal(counted), q(16, 2));
    EXPECT_EQ(headingHoursSuffix(counted, programmeRows(counted)[0].node), QStringLiteral(" — 1 h"));
    // D2 has no hours of its own under R1's: no part of the total, its fields empty.
    EXPECT_EQ(programmeTsv(tree, 2), QStringLiteral("1.\t0\tR1\t2\t0\t2\n"
                                                    "1.1\t1\tD1\t1\t0\t1\n"
                                                    "1.2\t1\tD2\t\t\t\n"
                                                    "2.\t0\tR2\t3\t0.5\t3.5\n"
                                                    "2.1\t1\tD3\t1\t0.5\t1.5\n"
                                                    "2.2\t1\tD4\t2\t0\t2\n"
                                                    "RAZEM\t5.5\t8\n"));
}

TEST(Programme, HoursAreWholeQuarters)
{
    struct Case
    {
        const char *text;
        std::optional<PlannedHours> hours;
    };
    const Case cases[] = {
        {"2", q(8)},           {"0.5+0.25", q(2, 1)}, {"1,75", q(7)},      {".25", q(1)},
        {"3+0", q(12)},        {"2.50", q(10)},       {"16383.75", q(0xFFFF)},
        {"0.3", std::nullopt}, {"1.", std::nullopt},  {"-1", std::nullopt}, {"1+2+3", std::nullopt},
        {"", std::nullopt},    {"x", std::nullopt},   {"16384", std::nullopt}, {"99999999999", std::nullopt},
        {"١", std::nullopt},   {"+1", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseHours(QString::fromUtf8(c.text)), c.hours);
    }
    EXPECT_EQ(hoursText(9), QStringLiteral("2.25"));
    EXPECT_EQ(hoursText(6, QLatin1Char(',')), QStringLiteral("1,5"));
}

TEST(Programme, HoursWhoseItemChangedAreDroppedNotMisplaced)
{
    // The programme file as saved for the sample; then the outline alone
    // changes, as after a crash between the two saves or an edit by a
    // program that knows nothing of hours.
    struct Case
    {
        const char *what;
        std::vector<OutlineRecord> outline;
        QStringList withHours; // names of the items that keep theirs
    };
    const Case cases[] = {
        {"unchanged", sample().records(), {"R1", "D1", "D3", "D4"}},
        {"a renamed section",
         [] {
             auto r = sample().records();
             r[1].name = QStringLiteral("D1 nowy");
             return r;
         }(),
         {"R1", "D3", "D4"}},
        {"the chapters swapped, same section names below",
         {{QStringLiteral("R2"), 0, kChapter}, {QStringLiteral("D1"), 1, 0}, {QStringLiteral("slajd"), 1, 0x10},
          {QStringLiteral("D2"), 1, 0}, {QStringLiteral("R1"), 0, kChapter}, {QStringLiteral("D3"), 1, 0},
          {QStringLiteral("D4"), 1, 0}},
         {}},
        {"an item inserted in front", [] {
             auto r = sample().records();
             r.insert(r.begin(), {QStringLiteral("Nowy"), 0, kChapter});
             return r;
         }(), {}},
        {"cut short", {{QStringLiteral("R1"), 0, kChapter}}, {"R1"}},
        {"a heading became a slide", [] {
             auto r = sample().records();
             r[1].reference = 0x30;
             return r;
         }(), {"R1", "D3", "D4"}},
    };
    testing_support::TempDataDir dir;
    const QString path = dir.file(QStringLiteral("Tree0003.pdl"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        ASSERT_TRUE(sample().save(path, &error));
        ASSERT_TRUE(saveOutline(path, c.outline, &error));
        const OutlineTree loaded = OutlineTree::load(path);
        QStringList withHours;
        for (const OutlineRecord &r : loaded.records()) {
            if (r.hours) {
                withHours << r.name;
                // Hours that stay are the item's own.
                const auto original = sample().records();
                const auto same = std::find_if(original.begin(), original.end(),
                                               [&](const OutlineRecord &o) { return o.name == r.name; });
                ASSERT_NE(same, original.end());
                EXPECT_EQ(r.hours, same->hours);
            }
        }
        EXPECT_EQ(withHours, c.withHours);
    }
}
