// The register's promise under load, the same test on the file and on the
// server: eight processes issuing at once, a fifth of the issuing
// transactions rolled back after taking a number, one issuer killed in the
// middle of its transaction, and (on the server) the server restarted during
// the run. Afterwards the numbers are exactly 1..N, each with one participant.

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"
#include "support/ServerBackEnd.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

using namespace marbelo;
using namespace testing_support;

namespace {

constexpr int kIssuers = 8;
constexpr int kRounds = 25;
constexpr int kPeople = 2; // 50 certificates per issuer
constexpr int kHoldRound = 5;

class RegisterConcurrencyTest : public ::testing::TestWithParam<bool>
{
};

} // namespace

TEST_P(RegisterConcurrencyTest, NumbersStayWholeUnderLoad)
{
    const bool server = GetParam();
    TempDataDir dir;
    if (server) {
        db::DatabaseLocation location;
        ASSERT_TRUE(db::DatabaseLocation::fromUrl(freshServerDatabase(), &location, nullptr));
        ASSERT_TRUE(db::chooseLocation(dir.path(), location, nullptr));
    }
    std::vector<qint64> courses;
    {
        db::Database database(db::Database::pathIn(dir.path()));
        QString error;
        ASSERT_TRUE(database.open(&error)) << error.toStdString();
        ASSERT_EQ(database.isServer(), server);
        ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error));
        for (int i = 0; i < kIssuers; ++i)
            courses.push_back(addCourse(database, testCourse(i), &error).value_or(0));
    }
    std::vector<std::unique_ptr<QProcess>> issuers;
    for (int i = 0; i < kIssuers; ++i) {
        auto process = std::make_unique<QProcess>();
        QStringList args{dir.path(), QString::number(courses[static_cast<size_t>(i)]), QString::number(kRounds),
                         QString::number(kPeople), QStringLiteral("20")};
        if (i == 0)
            args << QString::number(kHoldRound);
        process->start(QStringLiteral(MARBELO_REGISTER_ISSUER_PATH), args);
        ASSERT_TRUE(process->waitForStarted());
        issuers.push_back(std::move(process));
    }
    int rounds = 0;
    bool killed = false;
    bool restarted = !server;
    for (int wait = 0; wait < 6000; ++wait) {
        bool running = false;
        for (auto &process : issuers) {
            if (process->state() == QProcess::NotRunning)
                continue;
            running = true;
            process->waitForReadyRead(10);
            while (process->canReadLine()) {
                const QByteArray line = process->readLine();
                rounds += line.startsWith("round") ? 1 : 0;
                if (line.startsWith("holding")) {
                    process->kill(); // SIGKILL in the middle of the transaction
                    killed = true;
                }
            }
        }
        if (killed && !restarted && rounds >= kIssuers * kRounds / 2) {
            ASSERT_TRUE(restartTestServer());
            restarted = true;
        }
        if (!running)
            break;
    }
    ASSERT_TRUE(killed);
    ASSERT_TRUE(restarted);
    for (size_t i = 0; i < issuers.size(); ++i) {
        ASSERT_TRUE(issuers[i]->state() == QProcess::NotRunning || issuers[i]->waitForFinished(60000));
        if (i > 0) {
            EXPECT_EQ(issuers[i]->exitCode(), 0) << issuers[i]->readAllStandardError().toStdString();
        }
    }
    db::Database database(db::Database::pathIn(dir.path()));
    QString error;
    ASSERT_TRUE(database.open(&error)) << error.toStdString();
    int certificates = 0;
    EXPECT_EQ(registerProblem(database, &certificates), QString());
    EXPECT_EQ(certificates, (kIssuers - 1) * kRounds * kPeople + (kHoldRound - 1) * kPeople);
}

INSTANTIATE_TEST_SUITE_P(BackEnds, RegisterConcurrencyTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Server" : "File"; });
