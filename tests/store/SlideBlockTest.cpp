// Image stores, front-page blocks and corrupt lengths.

#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(SlideBlocks, FirstAppendWritesTheMagicAndSecondStartsAtTheOldEnd)
{
    TempDataDir dir;
    const QString store = dir.file("Data0000.pdl");
    writeFile(store, QByteArray());
    const QByteArray first("coded-one");
    const QByteArray second("two");
    EXPECT_EQ(appendSlideBlock(store, first), 4);
    EXPECT_EQ(appendSlideBlock(store, second), 4 + 4 + first.size());
    EXPECT_EQ(readFile(store), QByteArray("QUOX") + int32Bytes(9) + first + int32Bytes(3) + second);

    QByteArray back;
    ASSERT_TRUE(readSlideBlock(store, 17, &back));
    EXPECT_EQ(back, second);
}

TEST(SlideBlocks, NthBlockSkipsTheBlocksBeforeIt)
{
    TempDataDir dir;
    writeFile(dir.file("f.fdl"), blockBytes("zero") + blockBytes("") + blockBytes("two") + blockBytes("3"));
    std::unique_ptr<Stream> s = openStream(dir.file("f.fdl"), OpenMode::Read);
    ASSERT_TRUE(s);
    QByteArray b;
    ASSERT_TRUE(readNthBlock(*s, 0, &b));
    EXPECT_EQ(b, QByteArray("zero"));
    ASSERT_TRUE(readNthBlock(*s, 1, &b));
    EXPECT_TRUE(b.isEmpty());
    ASSERT_TRUE(readNthBlock(*s, 3, &b));
    EXPECT_EQ(b, QByteArray("3"));
    EXPECT_FALSE(readNthBlock(*s, 4, &b));
    EXPECT_FALSE(readNthBlock(*s, -1, &b));
}

TEST(SlideBlocks, CorruptLengthsNeverReadPastTheEnd)
{
    TempDataDir dir;
    // A whole block, then a length that runs past the end.
    writeFile(dir.file("f"), blockBytes("ok") + int32Bytes(1000) + "short");
    std::unique_ptr<Stream> s = openStream(dir.file("f"), OpenMode::Read);
    ASSERT_TRUE(s);
    bool complete = true;
    const auto blocks = indexBlocks(*s, 0, &complete);
    EXPECT_FALSE(complete);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].length, 2);
    QByteArray b;
    EXPECT_FALSE(readSlideBlock(*s, 6, &b));
    EXPECT_FALSE(readSlideBlock(*s, -4, &b));
    EXPECT_FALSE(readNthBlock(*s, 2, &b));

    writeFile(dir.file("neg"), int32Bytes(-5) + "abc");
    ASSERT_TRUE((s = openStream(dir.file("neg"), OpenMode::Read)));
    EXPECT_FALSE(readSlideBlock(*s, 0, &b));
    EXPECT_TRUE(indexBlocks(*s, 0, &complete).empty());
    EXPECT_FALSE(complete);
    // Three bytes are not even a length word.
    writeFile(dir.file("tiny"), "abc");
    ASSERT_TRUE((s = openStream(dir.file("tiny"), OpenMode::Read)));
    EXPECT_TRUE(indexBlocks(*s, 0, &complete).empty());
    EXPECT_FALSE(complete);
}

TEST(SlideBlocks, ZeroLengthBlockAndEmptyFile)
{
    TempDataDir dir;
    writeFile(dir.file("f"), blockBytes(""));
    std::unique_ptr<Stream> s = openStream(dir.file("f"), OpenMode::Read);
    ASSERT_TRUE(s);
    bool complete = false;
    const auto blocks = indexBlocks(*s, 0, &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].length, 0);
    writeFile(dir.file("e"), QByteArray());
    ASSERT_TRUE((s = openStream(dir.file("e"), OpenMode::Read)));
    EXPECT_TRUE(indexBlocks(*s, 0, &complete).empty());
    EXPECT_TRUE(complete);
}

TEST(SlideBlocks, AppendToAMissingDirectoryFailsWithoutAFile)
{
    TempDataDir dir;
    QString error;
    EXPECT_FALSE(appendSlideBlock(dir.file("nope/Data0000.pdl"), "x", &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}
