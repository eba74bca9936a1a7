// The exam's writers against a file-size limit: the GIFT export, the sheets,
// the key and the protocol as PDF, and the database writes of a draw and of
// results. Each file ends as it was or whole, nothing is left behind, and
// every failure is reported.

#include "courses/Courses.h"
#include "courses/Participants.h"
#include "courses/Results.h"
#include "exam/ExamDocuments.h"
#include "exam/ExamStore.h"
#include "exam/QuestionBank.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace marbelo::exam;
using namespace testing_support;

namespace {

constexpr std::uint64_t kDraw = 42;
const QString kTopic = QStringLiteral("Ochrona przeciwpożarowa");

QStringList namesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

class ExamWriterFaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FileSizeLimit::isSupported())
            GTEST_SKIP() << "this platform has no per-process file-size limit";
        ASSERT_TRUE(database.open());
        std::vector<Question> bank;
        for (int i = 0; i < 8; ++i)
            bank.push_back({kTopic, {}, {}, QStringLiteral("Pytanie %1: czym gasić pożar?").arg(i),
                            {QStringLiteral("wodą"), QStringLiteral("gaśnicą proszkową"), QStringLiteral("kocem")}, i % 3});
        QString error;
        ASSERT_TRUE(importQuestions(database, bank, &error));
        course = addCourse(database, testCourse(), &error).value_or(0);
        ASSERT_TRUE(addParticipants(database, course, testParticipants(3, false), &error));
        ExamSettings settings;
        settings.commission = QStringList{QStringLiteral("Anna Łoś"), QStringLiteral("Jan Żak")};
        ASSERT_TRUE(setExamSettings(database, course, settings, &error));
    }

    bool draw(db::Database &db, QString *error) const
    {
        return prepareTest(db, course, {{kTopic, 0}}, 6, 2, kDraw, error);
    }

    std::vector<ResultEntry> entries()
    {
        std::vector<ResultEntry> list;
        for (const Participant &p : listParticipants(database, course))
            list.push_back({p.id, QStringLiteral("A"), QStringLiteral("ABC-XA"), -1});
        return list;
    }

    // Runs write once per limit (-1: none) after reset, and classifies what
    // the run left by outcome(): "old" must come with a reported failure,
    // "new" with success; no file may be left behind in the data folder.
    FaultRow limitRow(const QString &writer, const std::vector<qint64> &limits, const std::function<void()> &reset,
                      const std::function<bool(QString *)> &write, const std::function<QString()> &outcome)
    {
        FaultRow row;
        row.writer = writer;
        for (const qint64 limit : limits) {
            reset();
            const QStringList names = namesIn(dir.path());
            QString error;
            bool reported = false;
            {
                FileSizeLimit fileLimit;
                if (limit >= 0) {
                    EXPECT_TRUE(fileLimit.set(limit));
                }
                reported = write(&error);
            }
            const QString now = outcome();
            ++row.points;
            if (reported && now == QLatin1String("new"))
                ++row.whole;
            else if (!reported && !error.isEmpty() && now == QLatin1String("old"))
                ++row.refused;
            else
                row.defects << QStringLiteral("limit %1: reported %2, %3").arg(limit).arg(reported).arg(now);
            for (const QString &name : namesIn(dir.path()))
                if (!names.contains(name) && !name.startsWith(db::kDatabaseName))
                    row.defects << QStringLiteral("limit %1: %2 left behind").arg(limit).arg(name);
        }
        recordRow(row);
        EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
        EXPECT_GT(row.refused, 0) << row.summary().toStdString();
        EXPECT_EQ(row.whole, 1) << row.summary().toStdString();
        return row;
    }

    // A write to the database (no other connection open) against the limit
    // every 256 bytes up to what it appends to the log, then without one.
    void databaseRow(const QString &writer, const std::function<bool(db::Database &, QString *)> &write,
                     const std::function<QString(db::Database &)> &state)
    {
        const QString path = db::Database::pathIn(dir.path());
        const QByteArray original = readFile(path);
        std::unique_ptr<db::Database> copy;
        const auto reset = [&] {
            copy.reset();
            writeFile(path, original);
            for (const char *suffix : {"-wal", "-shm"})
                QFile::remove(path + QLatin1String(suffix));
            copy = std::make_unique<db::Database>(path);
            EXPECT_TRUE(copy->open());
        };
        reset();
        const QString oldState = state(*copy);
        QString error;
        ASSERT_TRUE(write(*copy, &error)) << error.toStdString();
        const QString newState = state(*copy);
        const qint64 appended = QFileInfo(path + QStringLiteral("-wal")).size();
        ASSERT_GT(appended, 0);
        std::vector<qint64> limits;
        for (qint64 limit = 0; limit <= appended; limit += 256)
            limits.push_back(limit);
        limits.push_back(-1);
        limitRow(writer, limits, reset, [&](QString *why) { return write(*copy, why); },
                 [&] {
                     const QString now = state(*copy);
                     copy.reset(); // the last run leaves the file written and closed
                     return now == oldState ? QStringLiteral("old") : now == newState ? QStringLiteral("new") : now;
                 });
    }

    // A document writer over an older file against the limit at every byte to
    // 64, then every 997th, then without one. Two drawings of a PDF differ in
    // their creation time and identifier only, so a whole new file is told by
    // its size and its first and last bytes.
    void documentRow(const QString &writer, const QString &path, const std::function<bool(QString *)> &write)
    {
        const QByteArray older("older document");
        QString error;
        ASSERT_TRUE(write(&error)) << error.toStdString();
        const QByteArray whole = readFile(path);
        std::vector<qint64> limits;
        for (qint64 limit = 0; limit < whole.size(); limit += limit < 64 ? 1 : 997)
            limits.push_back(limit);
        limits.push_back(-1);
        limitRow(writer, limits, [&] { writeFile(path, older); }, write, [&] {
            const QByteArray now = readFile(path);
            if (now == older)
                return QStringLiteral("old");
            const bool isNew =
                now.size() == whole.size() && now.left(8) == whole.left(8) && now.right(16) == whole.right(16);
            return isNew ? QStringLiteral("new") : QStringLiteral("%1 bytes").arg(now.size());
        });
    }

    TempDataDir dir;
    std::unique_ptr<db::Database> owner = std::make_unique<db::Database>(db::Database::pathIn(dir.path()));
    db::Database &database = *owner;
    qint64 course = 0;
};

} // namespace

TEST_F(ExamWriterFaultTest, GiftExport)
{
    const QString path = dir.file("bank.gift");
    const QByteArray before = giftBytes({{QStringLiteral("Stary"), {}, {}, QStringLiteral("Co?"),
                                          {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 0}});
    expectSoundMatrix({QStringLiteral("GIFT export"), dir.path(), {{path, before, exportQuestions(database)}},
                       [&] {
                           QString error;
                           return saveGiftFile(database, path, &error) || error.isEmpty();
                       }});
}

TEST_F(ExamWriterFaultTest, SheetsKeyAndProtocol)
{
    QString error;
    ASSERT_TRUE(draw(database, &error)) << error.toStdString();
    ASSERT_TRUE(recordResults(database, course, entries(), &error)) << error.toStdString();
    Course stored;
    ASSERT_TRUE(readCourse(database, course, &stored));
    const ExamDocumentData data = examDocumentData(database, stored, QStringLiteral("Szkolenie okresowe"));
    const std::pair<ExamDocument, const char *> documents[] = {{ExamDocument::Sheets, "exam sheets PDF"},
                                                               {ExamDocument::Key, "answer key PDF"},
                                                               {ExamDocument::Protocol, "exam protocol PDF"}};
    const QString path = dir.file("dokument.pdf");
    for (const auto &document : documents)
        documentRow(QLatin1String(document.second), path,
                    [&](QString *why) { return saveExamDocument(document.first, data, path, why); });
}

TEST_F(ExamWriterFaultTest, DrawAndResultsInTheDatabase)
{
    const auto state = [this](db::Database &db) {
        QString text = QStringLiteral("draw %1:").arg(examTest(db, course).drawNumber);
        for (const Participant &p : listParticipants(db, course))
            text += QStringLiteral(" %1").arg(p.passed);
        for (const ExamResult &r : examResults(db, course))
            text += QStringLiteral(" %1/%2").arg(r.letters).arg(r.points);
        return text;
    };
    const std::vector<ResultEntry> typed = entries();
    owner.reset(); // the rows put the file back between runs
    databaseRow(QStringLiteral("course database: a test drawn"),
                [this](db::Database &db, QString *error) { return draw(db, error); }, state);
    // The last run, without a limit, left the test drawn.
    databaseRow(QStringLiteral("course database: results of 3 participants"),
                [this, typed](db::Database &db, QString *why) { return recordResults(db, course, typed, why); }, state);
}
