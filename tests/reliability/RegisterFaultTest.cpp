// The register's promise where it can break: two processes issuing at once,
// a process killed while it issues, and a full disk (the file-size limit at
// every point of an issuing). Afterwards the numbers are unique and without
// gaps, and each belongs to exactly one passed participant.

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/RegisterCsv.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <memory>

using namespace marbelo;
using namespace testing_support;

namespace {

class RegisterFaultTest : public ::testing::Test
{
protected:
    QString path() const { return db::Database::pathIn(dir.path()); }

    // The organiser and count courses, each with people passed participants.
    std::vector<qint64> prepare(int count, int people)
    {
        db::Database database(path());
        QString error;
        EXPECT_TRUE(database.open(&error)) << error.toStdString();
        EXPECT_TRUE(saveOrganiser(database, testOrganiser(), &error));
        std::vector<qint64> courses;
        for (int i = 0; i < count; ++i) {
            const auto course = addCourse(database, testCourse(i), &error);
            EXPECT_TRUE(course && addParticipants(database, *course, testParticipants(people), &error));
            courses.push_back(course.value_or(0));
        }
        return courses;
    }

    std::unique_ptr<QProcess> startIssuer(qint64 course, int rounds, int people)
    {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(MARBELO_REGISTER_ISSUER_PATH),
                       {dir.path(), QString::number(course), QString::number(rounds), QString::number(people)});
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }

    QString problemAfterwards(int *certificates)
    {
        db::Database database(path());
        QString error;
        if (!database.open(&error))
            return error;
        return registerProblem(database, certificates);
    }

    TempDataDir dir;
};

} // namespace

TEST_F(RegisterFaultTest, TwoProcessesIssuingAtOnceTakeTurns)
{
    constexpr int kRounds = 150;
    constexpr int kPeople = 3;
    const std::vector<qint64> courses = prepare(2, 0);
    auto first = startIssuer(courses[0], kRounds, kPeople);
    auto second = startIssuer(courses[1], kRounds, kPeople);
    for (QProcess *process : {first.get(), second.get()}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    int certificates = 0;
    EXPECT_EQ(problemAfterwards(&certificates), QString());
    EXPECT_EQ(certificates, 2 * kRounds * kPeople);
}

TEST_F(RegisterFaultTest, KilledWhileIssuing)
{
    const qint64 course = prepare(1, 0).front();
    int before = 0;
    for (int kill = 1; kill <= 6; ++kill) {
        auto process = startIssuer(course, 1000000, 40);
        // Killed after a whole round or more: the next round is then under way.
        int rounds = 0;
        while (rounds < kill && process->waitForReadyRead(60000))
            while (process->canReadLine() && rounds < kill)
                rounds += process->readLine().startsWith("round") ? 1 : 0;
        ASSERT_EQ(rounds, kill) << process->readAllStandardError().toStdString();
        process->kill();
        ASSERT_TRUE(process->waitForFinished(60000));
        int certificates = 0;
        ASSERT_EQ(problemAfterwards(&certificates), QString()) << "after kill " << kill;
        EXPECT_GE(certificates, before + kill * 40);
        before = certificates;
    }
    // What a killed round left uncertified is issued next time, after the last number.
    db::Database database(path());
    ASSERT_TRUE(database.open());
    int count = 0;
    QString error;
    ASSERT_TRUE(issueCertificates(database, dir.path(), course, QDate(2026, 3, 4), &count, &error)) << error.toStdString();
    int certificates = 0;
    EXPECT_EQ(registerProblem(database, &certificates), QString());
    EXPECT_EQ(certificates, before + count);
}

TEST_F(RegisterFaultTest, FullDiskWhileIssuing)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    constexpr int kPeople = 30;
    const qint64 course = prepare(1, kPeople).front();
    {
        db::Database database(path());
        ASSERT_TRUE(database.open());
        QSqlQuery q = database.query();
        ASSERT_TRUE(db::run(q, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    }
    const QByteArray original = readFile(path());
    const QString wal = path() + QStringLiteral("-wal");
    qint64 largestWal = 0;
    FaultRow row;
    row.writer = QStringLiteral("register: issuing 30 certificates");
    // Every 256 bytes up to what an unlimited issuing appends, then without a limit.
    for (qint64 limit = 0;; limit += 256) {
        const bool unlimited = largestWal > 0 && limit > largestWal;
        writeFile(path(), original);
        QFile::remove(wal);
        QFile::remove(path() + QStringLiteral("-shm"));
        bool reported = false;
        int issued = 0;
        QString error;
        {
            db::Database database(path());
            ASSERT_TRUE(database.open());
            FileSizeLimit fileLimit;
            if (!unlimited) {
                ASSERT_TRUE(fileLimit.set(limit));
            }
            reported = issueCertificates(database, dir.path(), course, QDate(2026, 3, 3), &issued, &error);
            fileLimit.clear();
            if (reported && largestWal == 0)
                largestWal = QFileInfo(wal).size();
        }
        ++row.points;
        int certificates = -1;
        const QString problem = problemAfterwards(&certificates);
        if (!problem.isEmpty())
            row.defects << QStringLiteral("limit %1: %2").arg(limit).arg(problem);
        else if (reported && issued == kPeople && certificates == kPeople)
            ++row.whole;
        else if (!reported && !error.isEmpty() && certificates == 0)
            ++row.refused;
        else
            row.defects << QStringLiteral("limit %1: reported %2, %3 in the register").arg(limit).arg(reported).arg(certificates);
        if (unlimited) {
            EXPECT_TRUE(reported) << error.toStdString();
            break;
        }
        ASSERT_LT(limit, 1 << 22) << "issuing never succeeded";
    }
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(row.refused, 0);
}

TEST_F(RegisterFaultTest, RegisterCsvOverAnOlderOne)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    RegisterEntry entry;
    entry.number = QStringLiteral("1/2026");
    entry.participantName = QStringLiteral("Anna Łoś");
    entry.issued = QDate(2026, 3, 3);
    std::vector<RegisterEntry> entries(3, entry);
    entries[2].cancelled = true;
    entries[2].cancelReason = QStringLiteral("błąd; \"daty\"");
    const auto name = [](int) { return QStringLiteral("Szkolenie okresowe"); };
    const QString path = dir.file("rejestr.csv");
    const QByteArray before = registerCsv({entry}, name);
    expectSoundMatrix({QStringLiteral("register CSV"), dir.path(), {{path, before, registerCsv(entries, name)}},
                       [&] { return saveRegisterCsv(path, entries, name, nullptr); }});
}
