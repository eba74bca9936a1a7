// Crash consistency of outline saves: a process saving two outlines over each
// other in turn is killed at random moments, many times; afterwards the file
// always loads as one of the two outlines, whole, and every heading's hours
// are none or its own (a kill between the outline and its programme file
// never puts hours on another item).

#include "trainings/OutlineTree.h"
#include "saver/CrashOutlines.h"
#include "store/Outline.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(OutlineCrash, EveryKilledSaveLeavesTheOldOrTheNewOutline)
{
    TempDataDir dir;
    const QString path = dir.file(QStringLiteral("Tree0000.pdl"));
    QString error;
    ASSERT_TRUE(OutlineTree::fromRecords(crash_outlines::small()).save(path, &error));

    // A fixed generator start, so that a failure can be replayed.
    QRandomGenerator random(20261208);
    constexpr int kKills = 150;
    int small = 0;
    int large = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess saver;
        saver.start(QStringLiteral(MARBELO_OUTLINE_SAVER_PATH), {path});
        ASSERT_TRUE(saver.waitForStarted(10000));
        ASSERT_TRUE(saver.waitForReadyRead(10000)) << "the saver did not start saving";
        // Somewhere within the next few hundred saves.
        QThread::usleep(random.bounded(20000));
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(10000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit) << "the saver ended on its own";

        std::vector<OutlineRecord> records;
        ASSERT_TRUE(readOutline(path, &records)) << "kill " << kill;
        const qint64 size = QFileInfo(path).size();
        if (records == crash_outlines::withoutHours(crash_outlines::small()) && size == 3 * kRecordSize)
            ++small;
        else if (records == crash_outlines::withoutHours(crash_outlines::large()) && size == 60 * kRecordSize)
            ++large;
        else
            FAIL() << "kill " << kill << ": the outline is neither the old nor the new one (" << size << " bytes)";
        const std::vector<OutlineRecord> expected = size == 3 * kRecordSize ? crash_outlines::small()
                                                                            : crash_outlines::large();
        const std::vector<OutlineRecord> loaded = OutlineTree::load(path).records();
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            if (loaded[i].hours) {
                EXPECT_EQ(loaded[i].hours, expected[i].hours) << "kill " << kill << ": " << loaded[i].name.toStdString();
            }
        }
    }
    // Both outcomes were met, so the kills did land in the middle of the saving.
    EXPECT_GT(small, 0);
    EXPECT_GT(large, 0);
    std::printf("%d kills: %d left the three-item outline, %d the sixty-item one\n", kKills, small, large);

    // A kill can leave the save's temporary file behind; the next save clears
    // those it can tell from a hand-made copy (a capital letter in the suffix).
    ASSERT_TRUE(OutlineTree::fromRecords(crash_outlines::small()).save(path, &error));
    const QRegularExpression uncleared(QStringLiteral("^(Tree|Plan)0000\\.pdl\\.[a-z0-9]{6}$"));
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
        if (name != QLatin1String("Tree0000.pdl") && name != QLatin1String("Plan0000.pdl")) {
            EXPECT_TRUE(uncleared.match(name).hasMatch()) << name.toStdString() << " left behind";
        }
    }
}
