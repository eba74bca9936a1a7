// The presentation folder's side files, the refused names and the player's file.

#include "presentation/ExportPlan.h"
#include "presentation/PlayerFile.h"
#include "store/SlideFile.h"
#include "store/components/Coding.h"
#include "support/Fixtures.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(ExportPlan, SideFilesInCopyOrder)
{
    const auto sides = sideFiles(QStringLiteral("/data/"), QStringLiteral("/out/"));
    ASSERT_EQ(sides.size(), 5u);
    const QStringList sources = {"Common.dll", "Basic.dll", "Shadow.dll", "TarvixView.exe", "Autorun.inf"};
    const QStringList destinations = {"Common.dll", "Basic.dll", "Shadow.dll", "Start.exe", "Autorun.inf"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(sides[i].source, "/data/" + sources[i]);
        EXPECT_EQ(sides[i].destination, "/out/" + destinations[i]);
        EXPECT_EQ(sides[i].required, i >= 3) << i;
    }
    EXPECT_EQ(presentationFolder(QStringLiteral("/out/Szkolenie.pnn")), QStringLiteral("/out/"));
}

TEST(ExportPlan, RefusesNamesThatWouldDestroyAFile)
{
    TempDataDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("out"));
    const QString work = dir.file("tmp/View.pnn");
    const struct
    {
        QString chosen;
        QString refused;
    } cases[] = {
        {dir.file("out/Szkolenie.pnn"), QString()},
        {dir.file("out/View.pnn"), QString()},
        {work, "View.pnn"},
        {dir.file("tmp/../tmp/View.pnn"), "View.pnn"},
        {dir.file("Data0003.pdl"), "Data0003.pdl"},
        {dir.file("Tree0003.pdl"), "Tree0003.pdl"},
        {dir.file("Data0002.pdl"), QString()},
        {dir.file("Projects.pdl"), "Projects.pdl"},
        {dir.file("TarvixFront.fdl"), "TarvixFront.fdl"},
        {dir.file("out/Start.exe"), "Start.exe"},
        {dir.file("out/Autorun.inf"), "Autorun.inf"},
        {dir.file("TarvixView.exe"), "TarvixView.exe"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(refusedTarget(c.chosen, dir.path(), work, 3), c.refused) << c.chosen.toStdString();
}

TEST(PlayerFile, NamedFileOrTheNewestInTheFolder)
{
    TempDataDir dir;
    EXPECT_TRUE(findPresentation({}, dir.path()).isEmpty());
    writeFile(dir.file("old.pnn"), "a");
    writeFile(dir.file("Start.exe"), "x");
    EXPECT_EQ(findPresentation({}, dir.path()), dir.file("old.pnn"));
    writeFile(dir.file("new.pnn"), "b");
    QFile old(dir.file("old.pnn"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    old.close();
    EXPECT_EQ(findPresentation({}, dir.path()), dir.file("new.pnn"));
    EXPECT_EQ(findPresentation({dir.file("old.pnn")}, dir.path()), dir.file("old.pnn"));
    EXPECT_TRUE(findPresentation({dir.file("missing.pnn")}, dir.path()).isEmpty());
}

TEST(SlideFile, DecodesThroughTheFileAndDeletesIt)
{
    TempDataDir dir;
    const QByteArray jpeg = makeJpeg(8, 8);
    QByteArray back;
    ASSERT_TRUE(passThroughFile(dir.file("View.jpg"), BCodeToStr(jpeg), &back));
    EXPECT_EQ(back, jpeg);
    EXPECT_FALSE(fileExists(dir.file("View.jpg")));
    EXPECT_FALSE(passThroughFile(dir.file("no/such/View.jpg"), BCodeToStr(jpeg), &back));
    EXPECT_TRUE(back.isEmpty());
}
