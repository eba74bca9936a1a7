// marbelo-tool's compose and blocks commands.

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(PresentationTool, ComposeFollowsTheOutlineFile)
{
    TempDataDir dir;
    ASSERT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("A"), 1, 0}), 0);
    ASSERT_TRUE(createTrainingFiles(dir.path(), 0));
    writeFile(dir.file(kFrontPageName), blockBytes("f0") + blockBytes("f1"));
    const QString store = dir.file(imageStoreFileName(0));
    const ItemReference x = appendSlideBlock(store, "x").value_or(0);
    const ItemReference y = appendSlideBlock(store, "yy").value_or(0);
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)),
                            {{"R", 0, kHeadingFlag}, {"Y", 1, y}, {"S", 0, 0}, {"X", 1, x}}, &error));
    const ToolResult result = runTool({"compose", dir.path(), "0", dir.file("o.pnn")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(readFile(dir.file("o.pnn")), blockBytes("f1") + blockBytes("yy") + blockBytes("x"));
}

TEST(PresentationTool, ComposeFailsWithoutTheImageStore)
{
    TempDataDir dir;
    const ToolResult result = runTool({"compose", dir.path(), "7", dir.file("o.pnn")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("Data0007.pdl")) << result.err.toStdString();
    EXPECT_FALSE(fileExists(dir.file("o.pnn")));
    EXPECT_EQ(runTool({"compose", dir.path(), "x", dir.file("o.pnn")}).exitCode, 2);
}

TEST(PresentationTool, BlocksListsWholeBlocksAndFailsOnACorruptOne)
{
    TempDataDir dir;
    const struct
    {
        QByteArray bytes;
        QString out;
        int exitCode;
    } cases[] = {
        {blockBytes("abc") + blockBytes(""), "0\t3\n7\t0\n", 0},
        {QByteArray(), "", 0},
        {blockBytes("abc") + int32Bytes(99) + "zz", "0\t3\n", 1},
        {blockBytes("abc") + int32Bytes(-1), "0\t3\n", 1},
        {QByteArray("ab"), "", 1},
    };
    for (const auto &c : cases) {
        writeFile(dir.file("p.pnn"), c.bytes);
        const ToolResult result = runTool({"blocks", dir.file("p.pnn")});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.out.toStdString();
        EXPECT_EQ(result.out, c.out);
    }
    EXPECT_EQ(runTool({"blocks", dir.file("missing.pnn")}).exitCode, 1);
}
