// marbelo-tool's library, front and extract commands on a small library.

#include "store/Records.h"
#include "store/components/Coding.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A source with a heading, nested topics, a slide and an unreferenced block.
void writeSource(const TempDataDir &dir, const QByteArray &jpeg)
{
    writeFile(dir.file("a.jpg"), jpeg);
    writeFile(dir.file("src.txt"), QStringLiteral("Ochrona przeciwpożarowa\n"
                                                  "0\t1\t0\tRozdział\n"
                                                  "\n"
                                                  "1\t0\t1\tGaśnice\ta.jpg\n"
                                                  "2\t0\t0\tRodzaje\n"
                                                  "1\t0\t7\tUkryty\ta.jpg\n"
                                                  "0\t0\t0\tKoniec\n")
                                       .toUtf8());
}

} // namespace

TEST(LibraryTool, BuildThenDumpShowsTheTreeWithReferences)
{
    TempDataDir dir;
    writeSource(dir, "JPEG");
    ASSERT_EQ(runTool({"library", "build", dir.file("src.txt"), dir.file("out.mdl")}).exitCode, 0);
    const ToolResult dump = runTool({"library", "dump", dir.file("out.mdl")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    // Title 4+23 = 27; record 1: 12+5+5+5 = 27; record 2: 11+5+5+5 = 26, so its slide is at 80.
    EXPECT_EQ(dump.out, QStringLiteral("Ochrona przeciwpożarowa\n"
                                       "0\t0x40000000\tRozdział\n"
                                       "1\t0x00000050\tGaśnice\n"
                                       "2\t0x00000000\tRodzaje\n"
                                       "1\t0x00000000\tUkryty\n"
                                       "0\t0x00000000\tKoniec\n"));
}

TEST(LibraryTool, ExtractGivesTheReferencedSlidesDecoded)
{
    TempDataDir dir;
    const QByteArray jpeg = makeJpeg(40, 30);
    writeSource(dir, jpeg);
    ASSERT_EQ(runTool({"library", "build", dir.file("src.txt"), dir.file("out.mdl")}).exitCode, 0);
    ASSERT_EQ(runTool({"extract", dir.file("out.mdl"), dir.file("x")}).exitCode, 0);
    EXPECT_EQ(readFile(dir.file("x/slide-0001.jpg")), jpeg);
    EXPECT_FALSE(fileExists(dir.file("x/slide-0002.jpg"))); // mark 7 is not referenced
}

TEST(LibraryTool, FrontBuildCodesBlocksInOrderAndExtractReadsThemBack)
{
    TempDataDir dir;
    writeFile(dir.file("1.jpg"), "first");
    writeFile(dir.file("2.jpg"), "second");
    ASSERT_EQ(runTool({"front", "build", dir.file("f.fdl"), dir.file("1.jpg"), dir.file("2.jpg")}).exitCode, 0);
    EXPECT_EQ(readFile(dir.file("f.fdl")), marbelo::int32Bytes(5) + marbelo::BCodeToStr("first")
                                               + marbelo::int32Bytes(6) + marbelo::BCodeToStr("second"));
    ASSERT_EQ(runTool({"extract", dir.file("f.fdl"), dir.file("x")}).exitCode, 0);
    EXPECT_EQ(readFile(dir.file("x/slide-0002.jpg")), QByteArray("second"));

    // An image store: magic first, then blocks.
    writeFile(dir.file("Data0000.pdl"), "QUOX" + marbelo::int32Bytes(3) + marbelo::BCodeToStr("abc"));
    ASSERT_EQ(runTool({"extract", dir.file("Data0000.pdl"), dir.file("y")}).exitCode, 0);
    EXPECT_EQ(readFile(dir.file("y/slide-0001.jpg")), QByteArray("abc"));
}

TEST(LibraryTool, ListShowsRunningIndicesInTitleOrder)
{
    TempDataDir dir;
    writeTopicFile(dir.file("b.mdl"), QStringLiteral("Łączność"), {});
    writeTopicFile(dir.file("a.mdl"), QStringLiteral("Lampy"), {});
    QDir(dir.path()).mkdir(QStringLiteral("dir.mdl"));
    const ToolResult list = runTool({"library", "list", dir.path()});
    ASSERT_EQ(list.exitCode, 0);
    const QStringList lines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\ta.mdl\tLampy")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\tb.mdl\tŁączność")));
}

TEST(LibraryTool, ErrorsAndUsage)
{
    TempDataDir dir;
    EXPECT_EQ(runTool({}).exitCode, 2);
    EXPECT_EQ(runTool({"library", "dump"}).exitCode, 2);
    EXPECT_EQ(runTool({"library", "frobnicate", "x"}).exitCode, 2);
    EXPECT_EQ(runTool({"library", "dump", dir.file("missing.mdl")}).exitCode, 1);

    // Text Windows-1250 cannot hold is refused.
    writeFile(dir.file("src.txt"), QStringLiteral("Tytuł\n0\t0\t0\tStrzałka →\n").toUtf8());
    const ToolResult bad = runTool({"library", "build", dir.file("src.txt"), dir.file("out.mdl")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Windows-1250")));
    EXPECT_FALSE(fileExists(dir.file("out.mdl")));

    // A corrupt file prints what it could and fails.
    writeFile(dir.file("src.txt"), QByteArray("T\n0\t0\t0\ta\n"));
    ASSERT_EQ(runTool({"library", "build", dir.file("src.txt"), dir.file("out.mdl")}).exitCode, 0);
    QByteArray corrupt = readFile(dir.file("out.mdl")) + marbelo::int32Bytes(100);
    writeFile(dir.file("out.mdl"), corrupt);
    const ToolResult dump = runTool({"library", "dump", dir.file("out.mdl")});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_EQ(dump.out, QStringLiteral("T\n0\t0x00000000\ta\n"));
}
