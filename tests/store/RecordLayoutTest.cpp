// Byte layouts of the 137-byte records, names and item references.

#include "store/Catalogue.h"
#include "store/Cp1250.h"
#include "store/DataFiles.h"
#include "store/ItemReference.h"
#include "store/Outline.h"
#include "store/Records.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

QByteArray bytesOf(const RecordBytes &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), kRecordSize);
}

} // namespace

TEST(RecordLayout, TrainingAbcOfType2IsStoredAndDeletedByteExact)
{
    TempDataDir dir;
    TrainingRecord abc{QStringLiteral("Abc"), 2, 0};
    ASSERT_EQ(appendTrainingRecord(dir.path(), abc), 0);
    const QByteArray before = readFile(dir.file(kCatalogueName));
    ASSERT_EQ(before.size(), 137);
    EXPECT_EQ(before[0], 3);
    EXPECT_EQ(before.mid(1, 3), QByteArray("Abc"));
    EXPECT_EQ(before.mid(129, 4), QByteArray::fromHex("02000000"));
    EXPECT_EQ(before.mid(133, 4), QByteArray::fromHex("00000000"));

    // Unused name bytes may hold anything: the delete must keep them as they are.
    QByteArray dirty = before;
    dirty[50] = 'x';
    writeFile(dir.file(kCatalogueName), dirty);
    ASSERT_TRUE(markTrainingDeleted(dir.path(), 0));
    const QByteArray after = readFile(dir.file(kCatalogueName));
    EXPECT_EQ(after.mid(133, 4), QByteArray::fromHex("FFFFFFFF"));
    EXPECT_EQ(after.left(133), dirty.left(133));
}

TEST(RecordLayout, WritersClearUnusedNameBytes)
{
    RecordBytes bytes;
    ASSERT_TRUE(packTrainingRecord({QStringLiteral("Ab"), 5, 0}, &bytes));
    EXPECT_EQ(bytesOf(bytes).mid(3, 126), QByteArray(126, '\0'));
    ASSERT_TRUE(packOutlineRecord({QStringLiteral("Ab"), 1, 0}, &bytes));
    EXPECT_EQ(bytesOf(bytes).mid(3, 126), QByteArray(126, '\0'));
}

TEST(RecordLayout, ChapterSectionTopicOutlineIsThreeRecords)
{
    TempDataDir dir;
    const std::vector<OutlineRecord> outline = {
        {QStringLiteral("X"), 0, 0x40000000}, {QStringLiteral("S"), 1, 0}, {QStringLiteral("T"), 2, 4}};
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)), outline, &error)) << error.toStdString();
    const QByteArray file = readFile(dir.file(QStringLiteral("Tree0000.pdl")));
    ASSERT_EQ(file.size(), 3 * 137);
    QByteArray x(137, '\0');
    x[0] = 1;
    x[1] = 'X';
    x.replace(133, 4, QByteArray::fromHex("00000040"));
    EXPECT_EQ(file.left(137), x);
    EXPECT_EQ(file.mid(137 + 129, 8), QByteArray::fromHex("0100000000000000"));
    EXPECT_EQ(file.mid(274 + 129, 8), QByteArray::fromHex("0200000004000000"));
    EXPECT_EQ(file.mid(274 + 2, 127), QByteArray(127, '\0'));
}

TEST(RecordLayout, NamesAreCutTo128CharactersAndStoredInWindows1250)
{
    RecordBytes bytes;
    const QString longName = QString(130, QChar(u'ż'));
    ASSERT_TRUE(packTrainingRecord({longName, 0, 0}, &bytes));
    EXPECT_EQ(bytes[0], 128);
    EXPECT_EQ(bytes[1], 0xBF); // ż in Windows-1250
    EXPECT_EQ(unpackTrainingRecord(bytes).name, longName.left(128));

    // A length byte above 128 never reads past the name field.
    bytes[0] = 255;
    EXPECT_EQ(unpackTrainingRecord(bytes).name.size(), 128);

    // Text the code page cannot hold is refused, not altered.
    EXPECT_FALSE(packTrainingRecord({QStringLiteral("日本"), 0, 0}, &bytes));
}

TEST(RecordLayout, Windows1250RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    QByteArray back;
    ASSERT_TRUE(encodeCp1250(decodeCp1250(all), &back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(decodeCp1250(QByteArray::fromHex("A5B9C6E6CAEAA3B3D1F1D3F38C9C8F9FAFBF")),
              QStringLiteral("ĄąĆćĘęŁłŃńÓóŚśŹźŻż"));
    EXPECT_FALSE(canEncodeCp1250(QStringLiteral("→")));
}

TEST(RecordLayout, NumberSuffixAndFileNames)
{
    EXPECT_EQ(numberSuffix(0), QStringLiteral("0000"));
    EXPECT_EQ(numberSuffix(7), QStringLiteral("0007"));
    EXPECT_EQ(numberSuffix(1234), QStringLiteral("1234"));
    EXPECT_EQ(outlineFileName(12345), QStringLiteral("Tree12345.pdl"));
    EXPECT_EQ(imageStoreFileName(3), QStringLiteral("Data0003.pdl"));
}

TEST(RecordLayout, DataDirectoryEndsWithOneSeparator)
{
    EXPECT_EQ(dataDirFromExecutable(QStringLiteral("/opt/marbelo/marbelo")), QStringLiteral("/opt/marbelo/"));
    EXPECT_EQ(dataDirFromExecutable(QStringLiteral("/marbelo")), QStringLiteral("/"));
    EXPECT_TRUE(temporaryDir().endsWith(QLatin1Char('/')));
}

TEST(RecordLayout, ItemReferenceMasks)
{
    EXPECT_FALSE(hasSlide(0x40000000));
    EXPECT_TRUE(hasSlide(4));
    EXPECT_EQ(slideOffset(0x40000004), 4u);
    EXPECT_TRUE(isHeading(0x40000000));
    EXPECT_TRUE(mayReceiveTopics(0));
    EXPECT_FALSE(mayReceiveTopics(0x40000000));
    EXPECT_FALSE(mayReceiveTopics(4));
    // Bits 28 and 29 are not looked at by the receive test.
    EXPECT_TRUE(mayReceiveTopics(0x30000000));
    EXPECT_TRUE(hasSlide(0x30000000));
}

TEST(RecordLayout, TrainingTypeNamesAreSpelledRight)
{
    // The first type's name once read "złużby"; the names are printed on front pages.
    for (int t = 0; t < kTrainingTypeCount; ++t)
        EXPECT_FALSE(trainingTypeName(t).contains(QStringLiteral("złuż"))) << t;
}
