// When each certificate's next periodic training is due and which of them the
// renewals show: one table of the intervals, the posts' own intervals, 29
// February, newer and cancelled certificates, the day counted from, and a
// person who changed employers.

#include "courses/Renewals.h"

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

struct Shown
{
    QString number;
    QDate due;
    QString state;
    QString employer;
    friend bool operator==(const Shown &, const Shown &) = default;
};

void PrintTo(const Shown &s, std::ostream *os)
{
    *os << s.number.toStdString() << ' ' << s.due.toString(Qt::ISODate).toStdString() << ' '
        << s.state.toStdString() << ' ' << s.employer.toStdString();
}

struct ValidityCase
{
    const char *name;
    std::vector<CertificateFact> facts;
    QDate asOf;
    int months;
    std::vector<Shown> shown; // in the order the renewals list them
};

// A certificate of Anna Nowak (born 1980-03-02) unless the names are given.
CertificateFact fact(const char *number, int type, QDate end, int years = 0, const char *employer = "Huta",
                     bool cancelled = false, const char16_t *surname = u"Nowak")
{
    static qint64 id = 0;
    CertificateFact f;
    f.certificate = ++id;
    f.number = QString::fromLatin1(number);
    f.cancelled = cancelled;
    f.firstName = QStringLiteral("Anna");
    f.surname = QString::fromUtf16(surname);
    f.birthDate = QDate(1980, 3, 2);
    f.type = type;
    f.courseEnd = end;
    f.chosenYears = years;
    f.employer.id = employer[0] == 'H' ? 1 : 2;
    f.employer.name = QString::fromLatin1(employer);
    return f;
}

const QDate kEnd(2023, 6, 30);

class ValidityTest : public ::testing::TestWithParam<ValidityCase>
{
};

} // namespace

TEST_P(ValidityTest, DueDatesAndWhoIsShown)
{
    const ValidityCase &c = GetParam();
    std::vector<Shown> shown;
    for (const Renewal &r : dueRenewals(c.facts, c.asOf, c.months))
        shown.push_back({r.fact.number, r.due, renewalState(r), r.fact.employer.name});
    EXPECT_EQ(shown, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidityTest,
    ::testing::Values(
        // Different surnames keep them six people; one shared day orders them by surname.
        ValidityCase{"EachTypesInterval",
                     {fact("0", 0, kEnd, 0, "Huta", false, u"A"), fact("1", 1, kEnd, 0, "Huta", false, u"B"),
                      fact("2", 2, kEnd, 0, "Huta", false, u"C"), fact("3", 3, kEnd, 0, "Huta", false, u"D"),
                      fact("4", 4, kEnd, 0, "Huta", false, u"E"), fact("5", 5, kEnd, 0, "Huta", false, u"F")},
                     QDate(2023, 7, 1), 1200,
                     {{"2", QDate(2026, 6, 30), "wkrótce", "Huta"}, {"0", QDate(2028, 6, 30), "wkrótce", "Huta"},
                      {"1", QDate(2028, 6, 30), "wkrótce", "Huta"}, {"3", QDate(2028, 6, 30), "wkrótce", "Huta"},
                      {"4", QDate(2028, 6, 30), "wkrótce", "Huta"}, {"5", QDate(2029, 6, 30), "wkrótce", "Huta"}}},
        ValidityCase{"PostsOwnIntervalsAndOneTheTypeHasNot",
                     {fact("dangerous", 2, kEnd, 1, "Huta", false, u"A"),
                      fact("not-office", 5, kEnd, 5, "Huta", false, u"B"),
                      fact("not-allowed", 3, kEnd, 1, "Huta", false, u"C")},
                     QDate(2023, 7, 1), 1200,
                     {{"dangerous", QDate(2024, 6, 30), "wkrótce", "Huta"},
                      {"not-office", QDate(2028, 6, 30), "wkrótce", "Huta"},
                      {"not-allowed", QDate(2028, 6, 30), "wkrótce", "Huta"}}},
        ValidityCase{"TwentyNinthOfFebruary",
                     {fact("leap", 2, QDate(2024, 2, 29), 0, "Huta", false, u"A"),
                      fact("leap-1", 2, QDate(2024, 2, 29), 1, "Huta", false, u"B"),
                      fact("leap-5", 0, QDate(2024, 2, 29), 0, "Huta", false, u"C")},
                     QDate(2024, 3, 1), 1200,
                     {{"leap-1", QDate(2025, 2, 28), "wkrótce", "Huta"},
                      {"leap", QDate(2027, 2, 28), "wkrótce", "Huta"},
                      {"leap-5", QDate(2029, 2, 28), "wkrótce", "Huta"}}},
        // The same person however the names' case and spaces were typed; another type counts apart.
        ValidityCase{"NewerReplacesOlderOfTheSameType",
                     {fact("new", 2, QDate(2025, 1, 10)), fact("old", 2, QDate(2022, 1, 10), 0, "Huta", false, u" NOWAK "),
                      fact("other-type", 5, QDate(2022, 1, 10))},
                     QDate(2026, 1, 1), 1200,
                     {{"new", QDate(2028, 1, 10), "wkrótce", "Huta"},
                      {"other-type", QDate(2028, 1, 10), "wkrótce", "Huta"}}},
        ValidityCase{"CancelledCountsForNothing",
                     {fact("old", 2, QDate(2022, 1, 10)), fact("cancelled", 2, QDate(2025, 1, 10), 0, "Huta", true)},
                     QDate(2025, 2, 1), 0, {{"old", QDate(2025, 1, 10), "zaległe", "Huta"}}},
        ValidityCase{"AsOfBeforeTheDueDateWithinMonths",
                     {fact("a", 2, kEnd)}, QDate(2026, 4, 30), 2, {{"a", QDate(2026, 6, 30), "wkrótce", "Huta"}}},
        ValidityCase{"AsOfBeforeTheDueDateBeyondMonths", {fact("a", 2, kEnd)}, QDate(2026, 4, 29), 2, {}},
        ValidityCase{"AsOfTheDueDateItself", {fact("a", 2, kEnd)}, QDate(2026, 6, 30), 0,
                     {{"a", QDate(2026, 6, 30), "wkrótce", "Huta"}}},
        ValidityCase{"AsOfAfterTheDueDate", {fact("a", 2, kEnd)}, QDate(2026, 7, 1), 0,
                     {{"a", QDate(2026, 6, 30), "zaległe", "Huta"}}},
        ValidityCase{"TwoEmployersOverTimeTheNewestCounts",
                     {fact("at-huta", 2, QDate(2020, 5, 5), 0, "Huta"), fact("at-kopalnia", 2, QDate(2023, 5, 5), 0, "Kopalnia")},
                     QDate(2026, 5, 1), 3, {{"at-kopalnia", QDate(2026, 5, 5), "wkrótce", "Kopalnia"}}},
        ValidityCase{"UnknownTypeHasNoDueDate", {fact("unknown", -1, kEnd)}, QDate(2030, 1, 1), 0, {}}),
    [](const ::testing::TestParamInfo<ValidityCase> &info) { return std::string(info.param.name); });
