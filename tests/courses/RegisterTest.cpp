// The register: numbers in Polish alphabetical order of the passed, none
// twice, none skipped, kept when cancelled, continuous across years or from 1
// each year; and the refusals that keep it so.

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/DataFiles.h"
#include "store/ProgrammeFile.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class RegisterTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(database.open()); }

    qint64 courseWith(const std::vector<Participant> &people)
    {
        QString error;
        const auto course = addCourse(database, testCourse(), &error);
        EXPECT_TRUE(course) << error.toStdString();
        EXPECT_TRUE(addParticipants(database, *course, people, &error)) << error.toStdString();
        return course.value_or(0);
    }

    int issue(qint64 course, const QDate &day)
    {
        int count = -1;
        QString error;
        EXPECT_TRUE(issueCertificates(database, course, day, &count, &error)) << error.toStdString();
        return count;
    }

    QStringList numbers()
    {
        QStringList list;
        for (const RegisterEntry &e : readRegister(database))
            list << e.number + (e.cancelled ? QStringLiteral("!") : QString());
        return list;
    }

    TempDataDir dir;
    db::Database database{db::Database::pathIn(dir.path())};
};

} // namespace

TEST(NumberFormatTest, FormatsAndRefusals)
{
    struct Row
    {
        QString format;
        bool restart;
        QString expected; // serial 7 in 2026; empty when the format is refused
    };
    const Row rows[] = {
        {QStringLiteral("N/RRRR"), false, QStringLiteral("7/2026")},
        {QStringLiteral("N/RRRR"), true, QStringLiteral("7/2026")},
        {QStringLiteral("BHP-N"), false, QStringLiteral("BHP-7")},
        {QStringLiteral("RRRR/N/Wieś"), true, QStringLiteral("2026/7/Wieś")},
        {QStringLiteral("BHP-N"), true, QString()},
        {QStringLiteral("RRRR"), false, QString()},
        {QStringLiteral("N/N"), false, QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.format.toStdString());
        EXPECT_EQ(numberFormatProblem(row.format, row.restart).isEmpty(), !row.expected.isEmpty());
        if (!row.expected.isEmpty()) {
            EXPECT_EQ(formatCertificateNumber(row.format, 7, 2026), row.expected);
        }
    }
}

TEST_F(RegisterTest, IssuesInAlphabeticalOrderWithoutGapsAndKeepsCancelledNumbers)
{
    QString error;
    int count = 0;
    const qint64 first = courseWith(testParticipants(4));
    EXPECT_FALSE(issueCertificates(database, first, QDate(2026, 3, 3), &count, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("organizatora")));
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error)) << error.toStdString();

    std::vector<Participant> people = testParticipants(3, true, 4);
    people[1].passed = false;
    const qint64 second = courseWith(people);
    EXPECT_EQ(issue(first, QDate(2026, 3, 3)), 4);
    EXPECT_EQ(issue(first, QDate(2026, 3, 3)), 0);
    EXPECT_EQ(issue(second, QDate(2026, 3, 4)), 2);
    // Ćma, Lis, Łoś, Żabka in the first course: Polish order, not code order.
    std::vector<QString> order;
    for (const RegisterEntry &e : readRegister(database, first))
        order.push_back(e.participantName.section(QLatin1Char(' '), 1));
    EXPECT_EQ(order, (std::vector<QString>{QStringLiteral("Ćma"), QStringLiteral("Lis"), QStringLiteral("Łoś"),
                                           QStringLiteral("Żabka")}));

    const std::vector<RegisterEntry> issued = readRegister(database);
    ASSERT_EQ(issued.size(), 6u);
    EXPECT_FALSE(cancelCertificate(database, issued[1].id, QStringLiteral("  "), &error));
    ASSERT_TRUE(cancelCertificate(database, issued[1].id, QStringLiteral("błąd w nazwisku"), &error));
    EXPECT_FALSE(cancelCertificate(database, issued[1].id, QStringLiteral("again"), &error));
    // The cancelled one's holder gets the next number; continuous into 2027.
    EXPECT_EQ(issue(first, QDate(2027, 1, 5)), 1);
    EXPECT_EQ(numbers(), (QStringList{"1/2026", "2/2026!", "3/2026", "4/2026", "5/2026", "6/2026", "7/2027"}));
    EXPECT_EQ(registerProblem(database), QString());

    // What would break the register is refused.
    EXPECT_FALSE(deleteCourse(database, first, &error));
    EXPECT_FALSE(removeParticipant(database, issued[1].participant, &error));
    EXPECT_FALSE(saveOrganiser(database, testOrganiser(true), &error));
    EXPECT_EQ(readRegister(database).size(), 7u);
}

TEST_F(RegisterTest, RestartEachYear)
{
    QString error;
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(true, QStringLiteral("RRRR/N")), &error));
    const qint64 course = courseWith(testParticipants(2));
    EXPECT_EQ(issue(course, QDate(2026, 12, 31)), 2);
    ASSERT_TRUE(addParticipants(database, course, testParticipants(2, true, 10), &error));
    EXPECT_EQ(issue(course, QDate(2027, 1, 2)), 2);
    EXPECT_EQ(numbers(), (QStringList{"2026/1", "2026/2", "2027/1", "2027/2"}));
    EXPECT_EQ(registerProblem(database), QString());
}

TEST_F(RegisterTest, CoursesAndParticipantsAreCheckedAndEdited)
{
    QString error;
    Course bad = testCourse();
    bad.to = bad.from.addDays(-1);
    EXPECT_FALSE(addCourse(database, bad, &error));
    bad = testCourse();
    bad.place = QStringLiteral(" ");
    EXPECT_FALSE(addCourse(database, bad, &error));
    std::vector<Participant> people = testParticipants(2);
    people[1].birthDate = QDate();
    const qint64 course = courseWith({});
    EXPECT_FALSE(addParticipants(database, course, people, &error));
    EXPECT_TRUE(listParticipants(database, course).empty()) << "none of a refused batch is stored";

    people = testParticipants(2, false);
    const auto ids = addParticipants(database, course, people, &error);
    ASSERT_TRUE(ids);
    ASSERT_TRUE(setPassed(database, *ids, true, &error));
    Participant edited = listParticipants(database, course).front();
    edited.position = QStringLiteral("magazynier");
    ASSERT_TRUE(updateParticipant(database, edited, &error));
    Course changed;
    ASSERT_TRUE(readCourse(database, course, &changed));
    EXPECT_EQ(changed.participants, 2);
    changed.place = QStringLiteral("Hala");
    ASSERT_TRUE(updateCourse(database, changed, &error));
    ASSERT_TRUE(readCourse(database, course, &changed));
    EXPECT_EQ(changed.place, QStringLiteral("Hala"));
    EXPECT_EQ(listParticipants(database, course).front().position, QStringLiteral("magazynier"));
    EXPECT_TRUE(listParticipants(database, course).back().passed);
    // A course without certificates goes with its participants; it comes back under its number.
    ASSERT_TRUE(deleteCourse(database, course, &error));
    EXPECT_TRUE(listCourses(database).empty());
    EXPECT_EQ(addCourse(database, changed, &error), course);
}

TEST_F(RegisterTest, ANewCourseTakesTheTrainingsForm)
{
    EXPECT_EQ(defaultCourseForm(dir.path(), 4), trainingFormName(TrainingForm::Course)) << "no programme: a course";
    ProgrammeData programme;
    programme.form = TrainingForm::Seminar;
    QString error;
    ASSERT_TRUE(saveProgrammeFile(programmePathFor(QDir(dir.path()).filePath(outlineFileName(4))), programme, &error));
    EXPECT_EQ(defaultCourseForm(dir.path(), 4), trainingFormName(TrainingForm::Seminar));
    EXPECT_EQ(defaultCourseForm(dir.path(), 5), trainingFormName(TrainingForm::Course));
}
