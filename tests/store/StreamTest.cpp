// The four open modes, seeking, the coding and the whole-file copy.

#include "store/CopyDataFile.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"
#include "support/Fixtures.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(OpenStream, ReadModeNeedsAnExistingFileAndStartsAtZero)
{
    TempDataDir dir;
    std::unique_ptr<Stream> s = openStream(dir.file("missing"), OpenMode::Read);
    EXPECT_FALSE(s);
    EXPECT_EQ(s, nullptr);
    writeFile(dir.file("f"), "hello");
    ASSERT_TRUE((s = openStream(dir.file("f"), OpenMode::Read)));
    EXPECT_EQ(s->position(), 0);
    EXPECT_EQ(s->size(), 5);
    EXPECT_EQ(s->write("x", 1), 0); // read only
    char buf[8] = {};
    EXPECT_EQ(s->read(buf, 8), 5);
    EXPECT_EQ(s->seek(-2, kFromEnd), 3);
    EXPECT_EQ(s->seek(1, kFromCurrent), 4);
    EXPECT_EQ(s->seek(-10, kFromCurrent), -1);
}

TEST(OpenStream, WriteModeKeepsContentsAndCreatesMissingFiles)
{
    TempDataDir dir;
    writeFile(dir.file("f"), "abcdef");
    std::unique_ptr<Stream> s = openStream(dir.file("f"), OpenMode::Write);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->size(), 6);
    s->seek(0, kFromEnd);
    EXPECT_EQ(s->write("gh", 2), 2);
    s.reset();
    EXPECT_EQ(readFile(dir.file("f")), QByteArray("abcdefgh"));
    ASSERT_TRUE((s = openStream(dir.file("new"), OpenMode::Write)));
    EXPECT_EQ(s->size(), 0);
}

TEST(OpenStream, ReadWriteModeNeedsAnExistingFile)
{
    TempDataDir dir;
    std::unique_ptr<Stream> s = openStream(dir.file("missing"), OpenMode::ReadWrite);
    EXPECT_FALSE(s);
    EXPECT_FALSE(fileExists(dir.file("missing")));
    writeFile(dir.file("f"), "abcd");
    ASSERT_TRUE((s = openStream(dir.file("f"), OpenMode::ReadWrite)));
    s->seek(1, kFromStart);
    s->write("XY", 2);
    s.reset();
    EXPECT_EQ(readFile(dir.file("f")), QByteArray("aXYd"));
}

TEST(OpenStream, CreateModeTruncatesAndUnknownModesFail)
{
    TempDataDir dir;
    writeFile(dir.file("f"), "old contents");
    std::unique_ptr<Stream> s = openStream(dir.file("f"), OpenMode::Create);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->size(), 0);
    s.reset();
    EXPECT_EQ(readFile(dir.file("f")).size(), 0);
    EXPECT_FALSE((s = openStream(dir.file("f"), static_cast<OpenMode>(99))));
    EXPECT_FALSE((s = openStream(dir.file("no-such-dir/f"), OpenMode::Create)));
    QDir(dir.path()).mkdir(QStringLiteral("d.mdl"));
    EXPECT_FALSE((s = openStream(dir.file("d.mdl"), OpenMode::Read)));
}

TEST(OpenStream, ReadExactlyNeverAllocatesMoreThanTheFileHolds)
{
    TempDataDir dir;
    writeFile(dir.file("f"), "abc");
    std::unique_ptr<Stream> s = openStream(dir.file("f"), OpenMode::Read);
    ASSERT_TRUE(s);
    QByteArray out;
    EXPECT_FALSE(s->readExactly(&out, 0x7FFFFFFF));
    EXPECT_FALSE(s->readExactly(&out, -1));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(s->readExactly(&out, 3));
}

TEST(Coding, KnownVectorAndRoundTrip)
{
    // Plain zero bytes come out as the key itself, repeated.
    EXPECT_EQ(BCodeToStr(QByteArray(10, '\0')), QByteArray("QUOXIRANQU"));
    EXPECT_EQ(BCodeToStr("QUOXIRAN"), QByteArray(8, '\0'));
    EXPECT_EQ(BCodeToStr("A"), QByteArray("\x10"));
    QByteArray all;
    for (int i = 0; i < 1000; ++i)
        all.append(static_cast<char>(i * 7));
    EXPECT_EQ(BCodeToStr(BCodeToStr(all)), all);
    EXPECT_EQ(BCodeToStr(QByteArray()).size(), 0);
}

TEST(Coding, CopyFromAnyPositionOfARun)
{
    // Zero bytes from position start of a run come out as the key from start mod 8.
    const QByteArray key = QByteArray("QUOXIRAN").repeated(8);
    for (qsizetype start : {0, 1, 7, 8, 13}) {
        for (qsizetype size : {0, 1, 7, 8, 9, 23, 40}) {
            const QByteArray zeros(size, '\0');
            QByteArray bytes(size, 'x');
            BCodeCopy(zeros.constData(), bytes.data(), size, start);
            EXPECT_EQ(bytes, key.mid(start % 8, size)) << start << ' ' << size;
            BCodeCopy(bytes.constData(), bytes.data(), size, start);
            EXPECT_EQ(bytes, zeros) << start << ' ' << size;
        }
    }
}

TEST(CopyDataFile, CopiesWholeFilesAcrossChunkBoundaries)
{
    TempDataDir dir;
    for (int size : {0, 1, 16383, 16384, 16385, 40000}) {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 31 + size);
        writeFile(dir.file("src"), bytes);
        EXPECT_EQ(CopyDataFile(dir.file("src"), dir.file("dst")), 0);
        EXPECT_EQ(readFile(dir.file("dst")), bytes) << size;
    }
}

TEST(CopyDataFile, FailuresReturnMinusOneAndKeepTheDestination)
{
    TempDataDir dir;
    writeFile(dir.file("dst"), "keep");
    EXPECT_EQ(CopyDataFile(dir.file("missing"), dir.file("dst")), -1);
    EXPECT_EQ(readFile(dir.file("dst")), QByteArray("keep"));
    writeFile(dir.file("src"), "data");
    EXPECT_EQ(CopyDataFile(dir.file("src"), dir.file("no-such-dir/dst")), -1);
}

TEST(CopyDataFile, CopyOntoItselfKeepsTheFile)
{
    TempDataDir dir;
    writeFile(dir.file("f"), "precious");
    EXPECT_EQ(CopyDataFile(dir.file("f"), dir.file("f")), 0);
    EXPECT_EQ(CopyDataFile(dir.file("f"), dir.path() + QStringLiteral("./f")), 0);
    EXPECT_EQ(readFile(dir.file("f")), QByteArray("precious"));
}

TEST(OpenStream, ReadingBlockAfterBlockKeepsOneBuffer)
{
    // Slide after slide is read into the same array: its memory is kept, and
    // a failed read leaves it empty.
    TempDataDir dir;
    writeFile(dir.file("f"), QByteArray(3000, 'a') + QByteArray(1000, 'b'));
    std::unique_ptr<Stream> s = openStream(dir.file("f"), OpenMode::Read);
    ASSERT_TRUE(s);
    QByteArray out;
    ASSERT_TRUE(s->readExactly(&out, 3000));
    const char *memory = out.constData();
    ASSERT_TRUE(s->readExactly(&out, 1000));
    EXPECT_EQ(out, QByteArray(1000, 'b'));
    EXPECT_EQ(out.constData(), memory);
    EXPECT_FALSE(s->readExactly(&out, 1));
    EXPECT_TRUE(out.isEmpty());
}
