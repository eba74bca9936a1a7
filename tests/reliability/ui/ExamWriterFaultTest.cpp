// The exam's writers against a file-size limit: the GIFT export, the sheets,
// the key and the protocol as PDF, and the database writes of a draw and of
// results. Each file ends as it was or whole, nothing is left behind, and
// every failure is reported.

#include "courses/Courses.h"
#include "courses/Participants.h"
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
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace marbelo::exam;
using namespace testing_support;

namespace {

constexpr std::uint64_t kDraw = 42;

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
            bank.push_back({QStringLiteral("Ochrona przeciwpożarowa"), {}, QStringLiteral("P%1").arg(i),
                            QStringLiteral("Pytanie %1: czym gasić pożar klasy %2?").arg(i).arg(QChar(u'A' + i % 4)),
                            {QStringLiteral("wodą"), QStringLiteral("gaśnicą proszkową"), QStringLiteral("kocem")},
                            i % 3});
        QString error;
        ASSERT_TRUE(importQuestions(database, bank, &error));
        course = addCourse(database, testCourse(), &error).value_or(0);
        ASSERT_TRUE(addParticipants(database, course, testParticipants(3, false), &error));
        ExamSettings settings;
        settings.commission = QStringList{QStringLiteral("Anna Łoś"), QStringLiteral("Jan Żak")};
        ASSERT_TRUE(setExamSettings(database, course, settings, &error));
    }

    bool draw(QString *error) const
    {
        return prepareTest(database, course, {{QStringLiteral("Ochrona przeciwpożarowa"), 0}}, 6, 2, kDraw, error);
    }

    std::vector<ResultEntry> entries()
    {
        std::vector<ResultEntry> list;
        for (const Participant &p : listParticipants(database, course))
            list.push_back({p.id, QStringLiteral("A"), QStringLiteral("ABC-XA"), -1});
        return list;
    }

    // A write to the database file at path against the limit every 256 bytes
    // up to what it appends to the log, then without a limit; no other
    // connection is open.
    // After each run the state is the old one and the failure was reported, or
    // the new one and success was.
    static FaultRow databaseMatrix(const QString &writer, const QString &path,
                                   const std::function<bool(db::Database &, QString *)> &write,
                                   const std::function<QString(db::Database &)> &state)
    {
        QString oldState;
        {
            db::Database first(path);
            EXPECT_TRUE(first.open());
            QSqlQuery q = first.query();
            EXPECT_TRUE(db::run(q, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
            oldState = state(first);
        }
        const QByteArray original = readFile(path);
        const QString dir = QFileInfo(path).absolutePath();
        const QStringList names = namesIn(dir);
        FaultRow row;
        row.writer = writer;
        qint64 needed = -1; // measured by a first run without a limit
        QString newState;
        for (qint64 limit = 0;; limit += 256) {
            const bool unlimited = needed < 0 || limit > needed;
            writeFile(path, original);
            for (const char *suffix : {"-wal", "-shm"})
                QFile::remove(path + QLatin1String(suffix));
            QString error;
            bool reported = false;
            QString now;
            qint64 walSize = 0;
            {
                db::Database copy(path);
                EXPECT_TRUE(copy.open());
                {
                    FileSizeLimit fileLimit;
                    if (!unlimited) {
                        EXPECT_TRUE(fileLimit.set(limit));
                    }
                    reported = write(copy, &error);
                }
                now = state(copy);
                walSize = QFileInfo(path + QStringLiteral("-wal")).size(); // the log goes when the file closes
            }
            if (needed < 0) {
                needed = walSize;
                EXPECT_GT(needed, 0);
                newState = now;
                EXPECT_TRUE(reported) << error.toStdString();
                EXPECT_NE(newState, oldState);
                limit = -256;
                continue;
            }
            ++row.points;
            if (reported && now == newState)
                ++row.whole;
            else if (!reported && !error.isEmpty() && now == oldState)
                ++row.refused;
            else
                row.defects << QStringLiteral("limit %1: reported %2, %3").arg(limit).arg(reported).arg(now);
            for (const QString &name : namesIn(dir))
                if (!names.contains(name) && !name.startsWith(db::kDatabaseName))
                    row.defects << QStringLiteral("limit %1: %2 left behind").arg(limit).arg(name);
            if (unlimited)
                break;
        }
        recordRow(row);
        return row;
    }

    // A document writer against the limit at every byte to 64, then every
    // step-th, then without a limit, over an older file. Two drawings of a PDF
    // differ in their creation time and identifier only, so a whole new file
    // is told by its size and its first and last bytes.
    FaultRow documentMatrix(const QString &writer, const QString &path, int step,
                            const std::function<bool(QString *)> &write)
    {
        const QByteArray older("older document");
        QString error;
        EXPECT_TRUE(write(&error)) << error.toStdString();
        const QByteArray whole = readFile(path);
        const QStringList names = namesIn(dir.path());
        std::vector<qint64> limits;
        for (qint64 limit = 0; limit < whole.size(); limit += limit < 64 ? 1 : step)
            limits.push_back(limit);
        limits.push_back(-1);
        FaultRow row;
        row.writer = writer;
        for (const qint64 limit : limits) {
            writeFile(path, older);
            error.clear();
            bool reported = false;
            {
                FileSizeLimit fileLimit;
                if (limit >= 0) {
                    EXPECT_TRUE(fileLimit.set(limit));
                }
                reported = write(&error);
            }
            const QByteArray now = readFile(path);
            const bool isNew =
                now.size() == whole.size() && now.left(8) == whole.left(8) && now.right(16) == whole.right(16);
            ++row.points;
            if (reported && isNew)
                ++row.whole;
            else if (!reported && !error.isEmpty() && now == older)
                ++row.refused;
            else
                row.defects << QStringLiteral("limit %1: reported %2, %3 bytes").arg(limit).arg(reported).arg(now.size());
            if (namesIn(dir.path()) != names)
                row.defects << QStringLiteral("limit %1: %2").arg(limit).arg(namesIn(dir.path()).join(u' '));
        }
        recordRow(row);
        return row;
    }

    static void expectSound(const FaultRow &row)
    {
        EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
        EXPECT_GT(row.refused, 0) << row.summary().toStdString();
        EXPECT_GE(row.whole, 1) << row.summary().toStdString();
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
    ASSERT_TRUE(draw(&error)) << error.toStdString();
    ASSERT_TRUE(recordResults(database, course, entries(), &error)) << error.toStdString();
    Course stored;
    ASSERT_TRUE(readCourse(database, course, &stored));
    const ExamDocumentData data = examDocumentData(database, stored, QStringLiteral("Szkolenie okresowe"));
    const struct
    {
        ExamDocument kind;
        const char *writer;
    } documents[] = {{ExamDocument::Sheets, "exam sheets PDF"},
                     {ExamDocument::Key, "answer key PDF"},
                     {ExamDocument::Protocol, "exam protocol PDF"}};
    for (const auto &document : documents) {
        const QString path = dir.file("dokument.pdf");
        expectSound(documentMatrix(QLatin1String(document.writer), path, 997, [&](QString *why) {
            return saveExamDocument(document.kind, data, path, why);
        }));
    }
}

TEST_F(ExamWriterFaultTest, DrawAndResultsInTheDatabase)
{
    const auto state = [this](db::Database &db) {
        const ExamTest test = examTest(db, course);
        QString text = QStringLiteral("draw %1 of %2:").arg(test.drawNumber).arg(test.questionCount());
        for (const Participant &p : listParticipants(db, course))
            text += QStringLiteral(" %1").arg(p.passed);
        for (const ExamResult &r : examResults(db, course))
            text += QStringLiteral(" %1/%2").arg(r.letters).arg(r.points);
        return text;
    };
    const std::vector<ResultEntry> typed = entries();
    const QString path = database.path();
    owner.reset(); // the matrix puts the file back between runs
    expectSound(databaseMatrix(
        QStringLiteral("course database: a test drawn"), path,
        [this](db::Database &db, QString *error) {
            return prepareTest(db, course, {{QStringLiteral("Ochrona przeciwpożarowa"), 0}}, 6, 2, kDraw, error);
        },
        state));
    // The last run, without a limit, left the test drawn.
    expectSound(databaseMatrix(
        QStringLiteral("course database: results of 3 participants"), path,
        [this, typed](db::Database &db, QString *why) { return recordResults(db, course, typed, why); }, state));
}
