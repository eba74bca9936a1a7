// The bank and a course's exam in the database: edits undone byte for byte,
// a GIFT import all or none, the demo questions once; a stored test prints
// the same after the bank changes; results set "passed", and only the passed
// get a certificate number.

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/Results.h"
#include "exam/ExamStore.h"
#include "exam/QuestionBank.h"
#include "exam/QuestionHistory.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace marbelo::exam;
using namespace testing_support;

namespace {

Question questionOf(const QString &topic, int n)
{
    return {topic, {}, QStringLiteral("Q%1").arg(n), QStringLiteral("Pytanie %1 o %2?").arg(n).arg(topic),
            QStringList{QStringLiteral("tak"), QStringLiteral("nie"), QStringLiteral("nie wiem"), QStringLiteral("czasem")}.mid(0, 3 + n % 2),
            n % 3};
}

class ExamStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(database.open()); }

    void fillBank(const QString &topic, int count)
    {
        std::vector<Question> questions;
        for (int i = 0; i < count; ++i)
            questions.push_back(questionOf(topic, i));
        QString error;
        ASSERT_TRUE(importQuestions(database, questions, &error)) << error.toStdString();
    }

    qint64 courseWith(int people)
    {
        QString error;
        const auto course = addCourse(database, testCourse(), &error);
        EXPECT_TRUE(course) << error.toStdString();
        EXPECT_TRUE(addParticipants(database, *course, testParticipants(people, false), &error));
        return course.value_or(0);
    }

    TempDataDir dir;
    db::Database database{db::Database::pathIn(dir.path())};
};

TEST_F(ExamStoreTest, EditsAreUndoneAndRedoneToTheSameExport)
{
    fillBank(QStringLiteral("Ergonomia"), 3);
    const QByteArray before = exportQuestions(database);
    const std::vector<BankQuestion> list = listQuestions(database);
    QuestionHistory history(database);
    QString error;
    qint64 added = 0;
    ASSERT_TRUE(history.add(questionOf(QStringLiteral("Hałas"), 7), &error, &added)) << error.toStdString();
    Question changed = list[1].question;
    changed.answers[0] = QStringLiteral("zmienione");
    ASSERT_TRUE(history.update(list[1].id, changed, &error));
    ASSERT_TRUE(history.remove(list[0].id, &error));
    const QByteArray after = exportQuestions(database);
    EXPECT_NE(after, before);

    while (history.canUndo())
        ASSERT_TRUE(history.undo(&error)) << error.toStdString();
    EXPECT_EQ(exportQuestions(database), before);
    EXPECT_EQ(listQuestions(database)[0].id, list[0].id);
    while (history.canRedo())
        ASSERT_TRUE(history.redo(&error)) << error.toStdString();
    EXPECT_EQ(exportQuestions(database), after);
    EXPECT_TRUE(readQuestion(database, added));

    // Refused edits change nothing and are not remembered.
    Question broken = list[2].question;
    broken.right = 5;
    EXPECT_FALSE(history.update(list[2].id, broken, &error));
    EXPECT_FALSE(history.update(999, list[2].question, &error));
    EXPECT_FALSE(history.remove(999, &error));
    EXPECT_EQ(exportQuestions(database), after);
    ASSERT_TRUE(history.undo(&error));
    EXPECT_TRUE(readQuestion(database, list[0].id));
}

TEST_F(ExamStoreTest, ImportIsAllOrNoneAndDemoQuestionsComeOnce)
{
    QString error;
    std::vector<Question> questions{questionOf(QStringLiteral("A"), 1), questionOf(QStringLiteral("A"), 2)};
    questions[1].answers.clear();
    EXPECT_FALSE(importQuestions(database, questions, &error));
    EXPECT_TRUE(listQuestions(database).empty());

    const QString gift = dir.file(QStringLiteral("demo.gift"));
    QFile file(gift);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(giftBytes({questionOf(QStringLiteral("A"), 1), questionOf(QStringLiteral("B"), 2)}));
    file.close();
    ASSERT_TRUE(importDemoQuestionsOnce(database, gift, &error)) << error.toStdString();
    ASSERT_EQ(listQuestions(database).size(), 2u);
    for (const BankQuestion &q : listQuestions(database))
        ASSERT_TRUE(removeQuestion(database, q.id, &error));
    ASSERT_TRUE(importDemoQuestionsOnce(database, gift, &error));
    EXPECT_TRUE(listQuestions(database).empty());

    // A bank the trainer filled before the demo file was at hand never gets it.
    TempDataDir other;
    writeFile(other.file(kDemoQuestionsName), readFile(gift));
    db::Database own(db::Database::pathIn(other.path()));
    ASSERT_TRUE(own.open());
    ASSERT_TRUE(addQuestion(own, questionOf(QStringLiteral("C"), 3), &error));
    ASSERT_TRUE(importDemoQuestionsFrom(own, {dir.path(), other.path()}, &error));
    ASSERT_EQ(listQuestions(own).size(), 1u);
    ASSERT_TRUE(removeQuestion(own, listQuestions(own).front().id, &error));
    ASSERT_TRUE(importDemoQuestionsFrom(own, {other.path()}, &error));
    EXPECT_TRUE(listQuestions(own).empty());
}

TEST_F(ExamStoreTest, StoredTestStaysAsDrawnAndResultsDecideCertificates)
{
    fillBank(QStringLiteral("A"), 10);
    fillBank(QStringLiteral("B"), 10);
    const qint64 course = courseWith(3);
    QString error;
    const std::vector<UsedTopic> topics{{QStringLiteral("A"), 4}, {QStringLiteral("B"), 4}};
    ASSERT_TRUE(prepareTest(database, course, topics, 6, 2, 77, &error)) << error.toStdString();
    const ExamTest test = examTest(database, course);
    ASSERT_EQ(test.variants.size(), 2u);
    ASSERT_EQ(test.questionCount(), 6);
    EXPECT_EQ(test.drawNumber, QStringLiteral("77"));

    // The bank changes: the stored test does not; the same number draws it again.
    for (const BankQuestion &q : listQuestions(database, QStringLiteral("A")))
        ASSERT_TRUE(removeQuestion(database, q.id, &error));
    EXPECT_EQ(examTest(database, course).variants[1][0].text, test.variants[1][0].text);
    EXPECT_FALSE(prepareTest(database, course, topics, 12, 2, 77, &error));
    EXPECT_EQ(examTest(database, course).drawNumber, QStringLiteral("77"));

    ExamSettings settings;
    settings.passMark = 50;
    settings.commission = QStringList{QStringLiteral("Anna Nowak"), QStringLiteral(" "), QStringLiteral("Jan Kos")};
    ASSERT_TRUE(setExamSettings(database, course, settings, &error));
    EXPECT_EQ(examSettings(database, course).commission.size(), 2);

    QString allRight;
    for (const SheetQuestion &q : test.variants[1])
        allRight += answerLetter(q.right);
    const std::vector<Participant> people = listParticipants(database, course);
    ASSERT_TRUE(recordLetters(database, people[0].id, QStringLiteral("b"), allRight, &error)) << error.toStdString();
    EXPECT_FALSE(recordLetters(database, people[1].id, QStringLiteral("C"), allRight, &error));
    ASSERT_TRUE(recordLetters(database, people[1].id, QStringLiteral("A"), QStringLiteral("------"), &error));
    ASSERT_TRUE(recordPoints(database, people[2].id, 3, &error));
    EXPECT_FALSE(recordPoints(database, people[2].id, 7, &error));
    EXPECT_FALSE(prepareTest(database, course, topics, 6, 2, 78, &error));

    const std::vector<ExamResult> results = examResults(database, course);
    ASSERT_EQ(results.size(), 3u);
    int issued = 0;
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error));
    ASSERT_TRUE(issueCertificates(database, dir.path(), course, QDate(2026, 3, 20), &issued, &error)) << error.toStdString();
    EXPECT_EQ(issued, 2);
    for (const Participant &p : listParticipants(database, course))
        EXPECT_EQ(p.certificate.isEmpty(), p.id == people[1].id) << p.surname.toStdString();
    // A certificate in force stands: a failing result for its holder is refused.
    EXPECT_FALSE(recordPoints(database, people[0].id, 0, &error));
    EXPECT_TRUE(registerProblem(database).isEmpty());
}

// A pass mark changed with the course: every stored result is scored again in
// the same transaction, unless a participant with a certificate in force would
// fail; undo scores them back. Three participants of 9, 7 and 5 points out of
// 10 start at 60%: passed "110".
struct RescoreCase
{
    const char *name;
    int certificates; // 0: none, 1: issued to the passed, 2: and the 7-point one cancelled
    int newMark;
    bool refused;
    const char *passed; // per participant after the change
};

class RescoreTest : public ExamStoreTest, public ::testing::WithParamInterface<RescoreCase>
{
protected:
    // Each participant's "passed" and stored result's "passed", comparable.
    QString flags(qint64 course)
    {
        QString text;
        for (const Participant &p : listParticipants(database, course))
            for (const ExamResult &r : examResults(database, course))
                if (r.participant == p.id)
                    text += QStringLiteral("%1%2 ").arg(p.passed).arg(r.passed);
        return text;
    }
};

TEST_P(RescoreTest, ResultsFollowThePassMark)
{
    const RescoreCase &row = GetParam();
    fillBank(QStringLiteral("A"), 10);
    const qint64 course = courseWith(3);
    QString error;
    ASSERT_TRUE(prepareTest(database, course, {{QStringLiteral("A"), 0}}, 10, 1, 5, &error)) << error.toStdString();
    const std::vector<Participant> people = listParticipants(database, course);
    const int points[] = {9, 7, 5};
    for (std::size_t i = 0; i < people.size(); ++i)
        ASSERT_TRUE(recordPoints(database, people[i].id, points[i], &error)) << error.toStdString();
    if (row.certificates > 0) {
        int issued = 0;
        ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error));
        ASSERT_TRUE(issueCertificates(database, dir.path(), course, QDate(2026, 3, 20), &issued, &error));
    }
    if (row.certificates > 1)
        for (const RegisterEntry &e : readRegister(database, course))
            if (e.participant == people[1].id) {
                ASSERT_TRUE(cancelCertificate(database, e.id, QStringLiteral("błąd"), &error));
            }
    const QString before = flags(course);
    Course stored;
    ASSERT_TRUE(readCourse(database, course, &stored));
    const ExamSettings old = examSettings(database, course);
    ExamSettings changed = old;
    changed.passMark = row.newMark;
    Course renamed = stored;
    renamed.place = QStringLiteral("Sala 2");
    renamed.exam = changed;
    stored.exam = old;

    EXPECT_EQ(updateCourse(database, renamed, &error), !row.refused) << error.toStdString();
    QString expected;
    for (const char *c = row.passed; *c; ++c)
        expected += QStringLiteral("%1%1 ").arg(QLatin1Char(*c));
    EXPECT_EQ(flags(course), expected);
    Course after;
    ASSERT_TRUE(readCourse(database, course, &after));
    EXPECT_EQ(after.place, row.refused ? stored.place : renamed.place) << "course and mark in one transaction";
    // The register's check counts cancelled numbers too, whose holder may fail later.
    if (row.certificates < 2) {
        EXPECT_EQ(registerProblem(database), QString());
    }

    ASSERT_TRUE(updateCourse(database, stored, &error)) << error.toStdString();
    EXPECT_EQ(flags(course), before);
    EXPECT_EQ(examSettings(database, course).passMark, kDefaultPassMark);
}

INSTANTIATE_TEST_SUITE_P(Cases, RescoreTest,
                         ::testing::Values(RescoreCase{"raised_fails_some", 0, 75, false, "100"},
                                           RescoreCase{"lowered_passes_more", 0, 50, false, "111"},
                                           RescoreCase{"same_mark", 0, 60, false, "110"},
                                           RescoreCase{"raised_within_certified", 1, 70, false, "110"},
                                           RescoreCase{"lowered_with_certificates", 1, 50, false, "111"},
                                           RescoreCase{"raised_past_a_certificate_refused", 1, 80, true, "110"},
                                           RescoreCase{"cancelled_certificate_lets_it_fail", 2, 80, false, "100"},
                                           RescoreCase{"out_of_range_refused", 0, 0, true, "110"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ExamStoreTest, ResultsOfACourseAreStoredAllOrNone)
{
    fillBank(QStringLiteral("A"), 4);
    const qint64 course = courseWith(2);
    const qint64 elsewhere = courseWith(1);
    QString error;
    ASSERT_TRUE(prepareTest(database, course, {{QStringLiteral("A"), 0}}, 4, 2, 9, &error));
    const std::vector<Participant> people = listParticipants(database, course);
    const ResultEntry good{people[0].id, QStringLiteral("a"), QStringLiteral("ABC-"), -1};
    const std::vector<std::vector<ResultEntry>> refused = {
        {good, {people[1].id, QStringLiteral("C"), QStringLiteral("ABCD"), -1}},            // no variant C
        {good, {people[1].id, QString(), QStringLiteral("ABCD"), -1}},                     // letters without a variant
        {good, {people[1].id, QString(), QString(), 5}},                                   // more points than questions
        {good, {listParticipants(database, elsewhere)[0].id, QString(), QString(), 1}}, // of another course
    };
    for (const auto &entries : refused) {
        EXPECT_FALSE(recordResults(database, course, entries, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(examResults(database, course).empty()) << error.toStdString();
    }
    ASSERT_TRUE(recordResults(database, course, {good, {people[1].id, QString(), QString(), 4}}, &error))
        << error.toStdString();
    EXPECT_EQ(examResults(database, course).size(), 2u);
}

} // namespace
