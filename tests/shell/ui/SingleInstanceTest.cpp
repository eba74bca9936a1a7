// One running copy: a second start raises the first copy's window; a lock
// left by a copy that died never blocks a start.

#include "shell/ui/SingleInstance.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace marbelo;

namespace {

QString uniqueName()
{
    return QStringLiteral("MARBELOTEST") + QUuid::createUuid().toString(QUuid::Id128).left(12).toUpper();
}

} // namespace

TEST(SingleInstance, SecondCopyRaisesTheFirstAndIsRefused)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.acquire());
    QWidget window;
    window.showMinimized();
    first.setWindow(&window);

    // The second copy runs apart (as another process would), while the first
    // answers from its event loop.
    std::atomic<int> refused{-1};
    std::atomic<bool> answered{false};
    std::thread second([&] {
        SingleInstance copy(name);
        refused = copy.acquire() ? 0 : 1;
        if (refused == 1)
            answered = copy.activateRunningCopy();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered.load(); }, 5000));
    second.join();
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized(); }, 5000));
    EXPECT_TRUE(window.isVisible());
}

TEST(SingleInstance, ALockLeftByADeadCopyIsTakenOver)
{
    const QString name = uniqueName();
    SingleInstance probe(name);
    // A lock file naming a process that does not exist.
    QFile lock(probe.lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("999999999\nmarbelo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    EXPECT_TRUE(probe.acquire());
}

TEST(SingleInstance, NoRunningCopyToActivate)
{
    SingleInstance lonely(uniqueName());
    EXPECT_FALSE(lonely.activateRunningCopy());
}
