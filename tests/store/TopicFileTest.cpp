// Reading topic files: the parent rule, marks, and malformed files.

#include "store/Records.h"
#include "store/TopicFile.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// "name:depth" for every node in pre-order, the depth being the tree's own.
QStringList shape(const TopicFile &f)
{
    QStringList out;
    for (int n : f.tree.preorder())
        out << f.nodes[static_cast<size_t>(n)].name + QLatin1Char(':')
                   + QString::number(f.tree.depth[static_cast<size_t>(n)]);
    return out;
}

std::vector<TopicRecordSource> byDepths(const std::vector<const char *> &depths)
{
    std::vector<TopicRecordSource> records;
    int i = 0;
    for (const char *d : depths)
        records.push_back(topicRecord(d, "0", "0", QStringLiteral("n%1").arg(i++)));
    return records;
}

} // namespace

TEST(TopicFile, ParentRuleBuildsTheTreeFromDepths)
{
    TempDataDir dir;
    struct Case { std::vector<const char *> depths; QStringList expected; };
    const std::vector<Case> cases = {
        {{"0", "1", "2", "1", "0"}, {"n0:0", "n1:1", "n2:2", "n3:1", "n4:0"}},
        {{"1", "1"}, {"n0:0", "n1:1"}},                       // first record at depth 1 is a root
        {{"0", "1", "2", "1", "3"}, {"n0:0", "n1:1", "n2:2", "n4:3", "n3:1"}}, // jump to 3 finds the earlier depth-2 node
        {{"0", "x", "-3", "1"}, {"n0:0", "n1:0", "n2:0", "n3:1"}}, // not a number and negative: roots
        {{"0", "99999999999999999999"}, {"n0:0", "n1:0"}},
    };
    for (const Case &c : cases) {
        writeTopicFile(dir.file("t.mdl"), QStringLiteral("T"), byDepths(c.depths));
        TopicFile f;
        ASSERT_TRUE(readTopicFile(dir.file("t.mdl"), &f));
        EXPECT_TRUE(f.complete);
        EXPECT_EQ(shape(f), c.expected);
    }
}

TEST(TopicFile, HeadingAndSlideMarksMakeTheReference)
{
    TempDataDir dir;
    const QByteArray jpeg("JPEGDATA");
    writeTopicFile(dir.file("t.mdl"), QStringLiteral("Tytuł"),
                   {topicRecord("0", "1", "1", QStringLiteral("a"), jpeg),
                    topicRecord("0", "1", "0", QStringLiteral("b")),
                    topicRecord("0", "0", "2", QStringLiteral("c"), jpeg),  // block skipped, not referenced
                    topicRecord("0", "01", "1", QStringLiteral("d"), jpeg)}); // "01" is not "1"
    TopicFile f;
    ASSERT_TRUE(readTopicFile(dir.file("t.mdl"), &f));
    EXPECT_EQ(f.title, QStringLiteral("Tytuł"));
    ASSERT_EQ(f.nodes.size(), 4u);
    // Title field: 4 + 5 bytes; record a: four fields of 4 + 1 bytes each.
    const ItemReference firstSlide = 9 + 4 * 5;
    EXPECT_EQ(f.nodes[0].reference, firstSlide | kHeadingFlag);
    EXPECT_EQ(f.nodes[1].reference, kHeadingFlag);
    EXPECT_EQ(f.nodes[2].reference, 0u);
    EXPECT_TRUE(hasSlide(f.nodes[3].reference));
    EXPECT_FALSE(isHeading(f.nodes[3].reference));

    // The referenced block holds the coded slide.
    const QByteArray file = readFile(dir.file("t.mdl"));
    EXPECT_EQ(file.mid(firstSlide, 4), int32Bytes(jpeg.size()));
}

TEST(TopicFile, TitleOnlyGivesAnEmptyTree)
{
    TempDataDir dir;
    writeTopicFile(dir.file("t.mdl"), QStringLiteral("Sam tytuł"), {});
    TopicFile f;
    ASSERT_TRUE(readTopicFile(dir.file("t.mdl"), &f));
    EXPECT_TRUE(f.nodes.empty());
    EXPECT_TRUE(f.complete);
}

TEST(TopicFile, CorruptLengthsEndReadingAtTheLastWholeRecord)
{
    TempDataDir dir;
    const QByteArray good = buildTopicFile("T", {topicRecord("0", "0", "0", QStringLiteral("a")),
                                                 topicRecord("1", "0", "1", QStringLiteral("b"), "jpg")});
    // Every cut of the file, and a huge or negative length after the good part.
    for (int cut = 0; cut < good.size(); ++cut) {
        writeFile(dir.file("t.mdl"), good.left(cut));
        TopicFile f;
        const bool titleRead = readTopicFile(dir.file("t.mdl"), &f);
        EXPECT_EQ(titleRead, cut >= 5) << cut;
        if (titleRead) {
            EXPECT_LE(f.nodes.size(), 2u);
        }
    }
    for (const QByteArray &tail : {int32Bytes(0x7FFFFFFF), int32Bytes(-1)}) {
        writeFile(dir.file("t.mdl"), good + tail + "xx");
        TopicFile f;
        ASSERT_TRUE(readTopicFile(dir.file("t.mdl"), &f));
        EXPECT_FALSE(f.complete);
        EXPECT_EQ(f.nodes.size(), 2u);
    }
    writeFile(dir.file("t.mdl"), int32Bytes(-1));
    QString title;
    EXPECT_FALSE(readTopicTitle(dir.file("t.mdl"), &title));
}
