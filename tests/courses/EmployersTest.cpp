// Employers: the NIP's check digit, and the edits that bring employers with
// them (an HR file's import, a new course from the renewals) undone and
// redone byte for byte; an employer in use stays.

#include "courses/CourseService.h"
#include "courses/Employers.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(NipTest, FormsAndCheckDigits)
{
    const struct
    {
        const char *text;
        bool valid;
    } rows[] = {
        {"", true},           {"7250001116", true},  {"725-000-11-16", true}, {"PL 725 000 11 16", true},
        {"pl7250001116", true}, {"7250001117", false}, {"1234563210", false},   {"725000111", false},
        {"72500011160", false}, {"725000111a", false}, {"-7250001116", false},  {"PL", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(nipProblem(QString::fromLatin1(row.text)).isEmpty(), row.valid) << row.text;
}

namespace {

class EmployersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Okresowe robotnicze"), 2, 0}).has_value());
        ASSERT_TRUE(database.open());
        Course course = testCourse(0);
        course.from = course.to = QDate(2023, 5, 10);
        QString error;
        const auto edit = service.addCourse(course, &error);
        ASSERT_TRUE(edit) << error.toStdString();
        courseId = edit->made;
    }

    std::optional<RecordEdit> addHuta()
    {
        Employer huta;
        huta.name = QStringLiteral("Huta");
        QString error;
        return service.addEmployer(huta, &error);
    }

    // Takes the edit back and makes it again, checking every row each time.
    void undoAndRedo(const RecordEdit &edit, const QStringList &before)
    {
        const QStringList after = allRows(database);
        QString error;
        ASSERT_TRUE(edit.undo(&error)) << error.toStdString();
        EXPECT_EQ(allRows(database), before);
        ASSERT_TRUE(edit.redo(&error)) << error.toStdString();
        EXPECT_EQ(allRows(database), after);
    }

    TempDataDir dir;
    db::Database database{db::Database::pathIn(dir.path())};
    CourseService service{database, dir.path()};
    qint64 courseId = 0;
};

} // namespace

TEST_F(EmployersTest, ImportFindsByNipThenNameAndItsUndoTakesNewEmployersBack)
{
    QString error;
    Employer known;
    known.name = QStringLiteral("Huta „Żelazo”");
    known.nip = QStringLiteral("7250001116");
    ASSERT_TRUE(service.addEmployer(known, &error)) << error.toStdString();
    const QStringList before = allRows(database);
    const ParticipantCsv csv = readParticipantCsv(
        QStringLiteral("Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;Pracodawca;NIP;Co ile lat\n"
                       "Jan;Kos;01.01.1980;Wieś;Huta sp. z o.o.;725-000-11-16;1\n"
                       "Ewa;Sowa;02.01.1980;Wieś;  ślusarnia  KOT ;;\n"
                       "Ola;Wrona;03.01.1980;Wieś;Ślusarnia Kot;;\n"
                       "Iza;Gil;04.01.1980;Wieś;;;\n")
            .toUtf8());
    ASSERT_TRUE(csv.problems.empty());
    std::vector<CsvRowProblem> skipped;
    const auto edit = service.importParticipants(courseId, csv, &skipped, &error);
    ASSERT_TRUE(edit) << error.toStdString();
    std::vector<Employer> employers;
    ASSERT_TRUE(service.employers(&employers, &error));
    ASSERT_EQ(employers.size(), 2u);
    std::vector<Participant> people;
    ASSERT_TRUE(service.participants(courseId, &people, &error));
    QStringList employerOf;
    for (const Participant &p : people)
        employerOf << p.surname + QLatin1Char('=') + p.employerName + QLatin1Char('/') + QString::number(p.intervalYears);
    EXPECT_EQ(employerOf, QStringList({QStringLiteral("Gil=/0"), QStringLiteral("Kos=Huta „Żelazo”/1"),
                                       QStringLiteral("Sowa=ślusarnia KOT/0"), QStringLiteral("Wrona=ślusarnia KOT/0")}));
    undoAndRedo(*edit, before);

    // In use, an employer stays; once nobody refers to it, it goes, and its undo brings it back.
    const qint64 kot = employers[1].id;
    EXPECT_FALSE(service.removeEmployer(kot, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("uczestnicy (2)"))) << error.toStdString();
    ASSERT_TRUE(edit->undo(&error));
    const QStringList withKot = allRows(database);
    EXPECT_FALSE(withKot.join(QLatin1Char('\n')).contains(QStringLiteral("KOT")));
    const auto removal = service.removeEmployer(employers[0].id, &error);
    ASSERT_TRUE(removal) << error.toStdString();
    const QStringList withoutHuta = allRows(database);
    ASSERT_TRUE(removal->undo(&error));
    EXPECT_EQ(allRows(database), withKot);
    ASSERT_TRUE(removal->redo(&error));
    EXPECT_EQ(allRows(database), withoutHuta);
}

TEST_F(EmployersTest, AnIntervalTheTypeHasNotIsRefused)
{
    QString error;
    Participant p = testParticipants(1).front();
    p.intervalYears = 5; // manual posts: 3 years, or 1 on an especially dangerous post
    EXPECT_FALSE(service.addParticipants(courseId, {p}, QStringLiteral("Dodaj uczestnika"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("5 lat"))) << error.toStdString();
    p.intervalYears = 1;
    EXPECT_TRUE(service.addParticipants(courseId, {p}, QStringLiteral("Dodaj uczestnika"), &error)) << error.toStdString();
}

TEST_F(EmployersTest, NewCourseFromRenewalsKeepsEmployersAndUndoesWhole)
{
    QString error;
    const auto added = addHuta();
    ASSERT_TRUE(added);
    std::vector<Participant> people = testParticipants(3);
    people[0].employer = added->made;
    people[1].intervalYears = 1;
    ASSERT_TRUE(service.addParticipants(courseId, people, QStringLiteral("Dodaj uczestnika"), &error));
    ASSERT_TRUE(service.saveOrganiser(testOrganiser(), &error));
    int issued = 0;
    ASSERT_TRUE(service.issue(courseId, QDate(2023, 5, 10), &issued, &error)) << error.toStdString();
    std::vector<Renewal> due;
    ASSERT_TRUE(service.renewals(QDate(2026, 5, 1), 3, &due, &error));
    ASSERT_EQ(due.size(), 3u);

    const QStringList before = allRows(database);
    Course next = service.newCourse(0);
    next.place = QStringLiteral("Sala");
    const auto edit = service.addCourseFor(next, due, &error);
    ASSERT_TRUE(edit) << error.toStdString();
    std::vector<Participant> joined;
    ASSERT_TRUE(service.participants(edit->made, &joined, &error));
    ASSERT_EQ(joined.size(), 3u);
    int withHuta = 0;
    int dangerous = 0;
    for (const Participant &p : joined) {
        withHuta += p.employer == added->made ? 1 : 0;
        dangerous += p.intervalYears == 1 ? 1 : 0;
        EXPECT_FALSE(p.birthPlace.isEmpty());
    }
    EXPECT_EQ(withHuta, 1);
    EXPECT_EQ(dangerous, 1);
    undoAndRedo(*edit, before);

    next.training = 7;
    EXPECT_FALSE(service.addCourseFor(next, due, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(EmployersTest, TheCoursesEmployerUnlessNoneIsChosen)
{
    QString error;
    const auto added = addHuta();
    ASSERT_TRUE(added);
    Course course;
    ASSERT_TRUE(service.course(courseId, &course, &error));
    course.employer = added->made;
    ASSERT_TRUE(service.changeCourse(course, &error)) << error.toStdString();
    std::vector<Participant> people = testParticipants(2);
    people[1].employer = 0;
    ASSERT_TRUE(service.addParticipants(courseId, people, QStringLiteral("Dodaj uczestnika"), &error));
    std::vector<Participant> listed;
    ASSERT_TRUE(service.participants(courseId, &listed, &error));
    ASSERT_EQ(listed.size(), 2u);
    for (const Participant &p : listed)
        EXPECT_EQ(p.employer, p.firstName == people[1].firstName ? 0 : added->made) << p.firstName.toStdString();
}
