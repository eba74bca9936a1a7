// Saving and loading outlines: levels, names and references.

#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/TreeBuilder.h"
#include "support/Fixtures.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// Levels of the tree as built from the records, in pre-order.
std::vector<int> builtLevels(const std::vector<OutlineRecord> &records)
{
    TreeBuilder builder;
    for (const OutlineRecord &r : records)
        builder.add(r.level);
    std::vector<int> levels;
    for (int node : builder.tree().preorder())
        levels.push_back(builder.tree().depth[static_cast<size_t>(node)]);
    return levels;
}

// A device that accepts n bytes and then fails every write.
class FailingBuffer : public QBuffer
{
public:
    explicit FailingBuffer(qint64 n) : m_left(n) {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        if (len > m_left)
            return -1;
        m_left -= len;
        return QBuffer::writeData(data, len);
    }

private:
    qint64 m_left;
};

} // namespace

TEST(OutlinePersistence, RoundTripKeepsEveryReferenceAndLevel)
{
    TempDataDir dir;
    const std::vector<OutlineRecord> outline = {
        {QStringLiteral("A"), 0, 0x40000000}, {QStringLiteral("B"), 1, 0},         {QStringLiteral("C"), 2, 0x3FFFFFFF},
        {QStringLiteral("D"), 1, 0x7FFFFFFF}, {QStringLiteral("E"), 0, 0xFFFFFFFF}, {QStringLiteral("Źdźbło"), 1, 4}};
    QString error;
    ASSERT_TRUE(saveOutline(dir.file("Tree0000.pdl"), outline, &error));
    std::vector<OutlineRecord> back;
    ASSERT_TRUE(readOutline(dir.file("Tree0000.pdl"), &back));
    ASSERT_EQ(back.size(), outline.size());
    for (size_t i = 0; i < outline.size(); ++i) {
        EXPECT_EQ(back[i].name, outline[i].name);
        EXPECT_EQ(back[i].level, outline[i].level);
        EXPECT_EQ(back[i].reference, outline[i].reference);
    }
    EXPECT_EQ(builtLevels(back), std::vector<int>({0, 1, 2, 1, 0, 1}));
}

TEST(OutlinePersistence, LevelsThatFitNoParentBecomeTopLevel)
{
    EXPECT_EQ(builtLevels({{"x", 2, 0}, {"y", 3, 0}}), std::vector<int>({0, 0}));
    EXPECT_EQ(builtLevels({{"a", 0, 0}, {"b", 1, 0}, {"c", 2, 0}, {"d", 1, 0}, {"e", 3, 0}}),
              std::vector<int>({0, 1, 2, 3, 1}));
    EXPECT_EQ(builtLevels({{"a", 0, 0}, {"b", -1, 0}}), std::vector<int>({0, 0}));
}

TEST(OutlinePersistence, LongNamesAreCutTo128AndEmptyOutlineIsAnEmptyFile)
{
    TempDataDir dir;
    QString error;
    ASSERT_TRUE(saveOutline(dir.file("t"), {{QString(200, QLatin1Char('x')), 0, 0}}, &error));
    std::vector<OutlineRecord> back;
    ASSERT_TRUE(readOutline(dir.file("t"), &back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name, QString(128, QLatin1Char('x')));
    ASSERT_TRUE(saveOutline(dir.file("t"), {}, &error));
    EXPECT_TRUE(fileExists(dir.file("t")));
    EXPECT_EQ(readFile(dir.file("t")).size(), 0);
}

TEST(OutlinePersistence, AFailedSaveLeavesThePreviousFileIntact)
{
    TempDataDir dir;
    QString error;
    const std::vector<OutlineRecord> old = {{QStringLiteral("stary"), 0, 0}};
    ASSERT_TRUE(saveOutline(dir.file("t"), old, &error));
    const QByteArray before = readFile(dir.file("t"));
    // A name the code page cannot hold fails the save part way through.
    EXPECT_FALSE(saveOutline(dir.file("t"), {{QStringLiteral("nowy"), 0, 0}, {QStringLiteral("→"), 1, 0}}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(dir.file("t")), before);
    // A folder that cannot take the file fails too.
    EXPECT_FALSE(saveOutline(dir.file("missing/t"), old, &error));
}

TEST(OutlinePersistence, WriterStopsAtTheFirstFailingWriteAtEveryPoint)
{
    const std::vector<OutlineRecord> outline = {{"a", 0, 0}, {"b", 1, 0}, {"c", 1, 4}};
    for (qint64 n = 0; n < 3 * 137; n += 17) {
        FailingBuffer device(n);
        device.open(QIODevice::WriteOnly);
        QString error;
        EXPECT_FALSE(writeOutline(device, outline, &error)) << n;
        EXPECT_EQ(device.data().size() % 137, 0) << n; // only whole records reached the device
    }
    FailingBuffer whole(3 * 137);
    whole.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(writeOutline(whole, outline, &error));
}
