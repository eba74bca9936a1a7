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
#include "store/db/Migrations.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

#include <set>
#include <tuple>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class RegisterTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(database.open()); }

    // A course of March of the year (a past one: certificates are never dated ahead).
    qint64 courseWith(const std::vector<Participant> &people, int year = 2026)
    {
        QString error;
        Course held = testCourse();
        held.from = held.from.addYears(year - held.from.year());
        held.to = held.to.addYears(year - held.to.year());
        const auto course = addCourse(database, held, &error);
        EXPECT_TRUE(course) << error.toStdString();
        EXPECT_TRUE(addParticipants(database, *course, people, &error)) << error.toStdString();
        return course.value_or(0);
    }

    int issue(qint64 course, const QDate &day)
    {
        int count = -1;
        QString error;
        EXPECT_TRUE(issueCertificates(database, dir.path(), course, day, &count, &error)) << error.toStdString();
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
    const qint64 first = courseWith(testParticipants(4), 2025);
    EXPECT_FALSE(issueCertificates(database, dir.path(), first, QDate(2025, 3, 3), &count, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("organizatora")));
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error)) << error.toStdString();

    std::vector<Participant> people = testParticipants(3, true, 4);
    people[1].passed = false;
    const qint64 second = courseWith(people, 2025);
    EXPECT_EQ(issue(first, QDate(2025, 3, 3)), 4);
    EXPECT_EQ(issue(first, QDate(2025, 3, 3)), 0);
    EXPECT_EQ(issue(second, QDate(2025, 3, 4)), 2);
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
    // The cancelled one's holder gets the next number; continuous into 2026.
    EXPECT_EQ(issue(first, QDate(2026, 1, 5)), 1);
    EXPECT_EQ(numbers(), (QStringList{"1/2025", "2/2025!", "3/2025", "4/2025", "5/2025", "6/2025", "7/2026"}));
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
    const qint64 course = courseWith(testParticipants(2), 2025);
    EXPECT_EQ(issue(course, QDate(2025, 12, 31)), 2);
    ASSERT_TRUE(addParticipants(database, course, testParticipants(2, true, 10), &error));
    EXPECT_EQ(issue(course, QDate(2026, 1, 2)), 2);
    EXPECT_EQ(numbers(), (QStringList{"2025/1", "2025/2", "2026/1", "2026/2"}));
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

namespace {

// Every row of every table the undo of a deletion touches, each column by name.

} // namespace

// A later migration that adds a column (here with a value of its own) and
// moves no other: the undo of a deletion still puts back every row exactly,
// the exam's with it; a drawn question since removed from the bank comes back
// as no reference.
TEST_F(RegisterTest, UndoOfADeletionRestoresEveryRowByColumnName)
{
    const qint64 course = courseWith(testParticipants(2, false));
    QString error;
    ASSERT_TRUE(database.write([&](QSqlQuery &q, QString *) {
        return db::run(q, QStringLiteral("ALTER TABLE participant ADD COLUMN note TEXT NOT NULL DEFAULT ''"))
            && db::run(q, QStringLiteral("UPDATE participant SET note = 'uwaga ' || id"))
            && db::run(q, QStringLiteral("INSERT INTO question (topic, detail, title, text, answers, right_answer)"
                                         " VALUES ('A', '', '', 'P?', '[\"a\",\"b\",\"c\"]', 0)"))
            && db::run(q, QStringLiteral("INSERT INTO exam_item VALUES (?, 0, 0, 1, 'A', 'P?', '[]', 0)"), {course})
            && db::run(q, QStringLiteral("INSERT INTO exam_result SELECT id, 0, 'A', 1, 1 FROM participant"));
    }));
    const QStringList before = allRows(database);
    db::RowSnapshot rows;
    ASSERT_TRUE(deleteCourse(database, course, &error, &rows)) << error.toStdString();
    EXPECT_TRUE(listCourses(database).empty());
    ASSERT_TRUE(restoreRows(database, rows, &error)) << error.toStdString();
    EXPECT_EQ(allRows(database), before);

    const qint64 first = listParticipants(database, course).front().id;
    ASSERT_TRUE(removeParticipants(database, {first}, &error, &rows));
    ASSERT_TRUE(deleteCourse(database, course, &error, &rows));
    ASSERT_TRUE(database.write([](QSqlQuery &q, QString *) { return db::run(q, QStringLiteral("DELETE FROM question")); }));
    ASSERT_TRUE(restoreRows(database, rows, &error)) << error.toStdString();
    QStringList expected = before;
    expected.replaceInStrings(QStringLiteral("question=1"), QStringLiteral("question=NULL"));
    expected.removeIf([first](const QString &row) {
        return row.contains(QStringLiteral("participant|id=%1|").arg(first))
            || row.startsWith(QStringLiteral("exam_result|participant=%1|").arg(first));
    });
    EXPECT_EQ(allRows(database), expected);
}

// The references the undo follows are the schema's own.
TEST_F(RegisterTest, CascadesAreTheSchemasForeignKeys)
{
    using Reference = std::tuple<QString, QString, QString, QString, QString>;
    std::set<Reference> schema;
    QSqlQuery tables = database.query();
    ASSERT_TRUE(db::run(tables, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")));
    while (tables.next()) {
        QSqlQuery q = database.query();
        ASSERT_TRUE(db::run(q, QStringLiteral("PRAGMA foreign_key_list(%1)").arg(tables.value(0).toString())));
        while (q.next())
            if (q.value(6).toString() != QLatin1String("RESTRICT") && q.value(6).toString() != QLatin1String("NO ACTION"))
                schema.insert({tables.value(0).toString(), q.value(3).toString(), q.value(2).toString(),
                               q.value(4).toString(), q.value(6).toString()});
    }
    std::set<Reference> declared;
    for (const db::Cascade &c : db::cascades())
        declared.insert({c.childTable, c.childColumn, c.parentTable, c.parentColumn, QStringLiteral("CASCADE")});
    for (const db::Cascade &c : db::nullingReferences())
        declared.insert({c.childTable, c.childColumn, c.parentTable, c.parentColumn, QStringLiteral("SET NULL")});
    EXPECT_EQ(schema, declared);
}
