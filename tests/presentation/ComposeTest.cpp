// Composing presentation files from the front page and the image store.

#include "presentation/Compose.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// Front-page slides "front0".."front5", one training of the given type and an
// image store holding the slides appended by addSlide.
class ComposeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QByteArray front;
        for (int t = 0; t < kTrainingTypeCount; ++t)
            front += blockBytes(QByteArray("front") + QByteArray::number(t));
        writeFile(dir.file(kFrontPageName), front);
        setType(0);
        writeFile(dir.file(imageStoreFileName(0)), QByteArray());
    }

    void setType(int type)
    {
        writeFile(dir.file(kCatalogueName), QByteArray());
        ASSERT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("Szkolenie"), type, 0}), 0);
    }

    ItemReference addSlide(const QByteArray &coded)
    {
        const auto offset = appendSlideBlock(dir.file(imageStoreFileName(0)), coded);
        EXPECT_TRUE(offset.has_value());
        return static_cast<ItemReference>(offset.value_or(0));
    }

    ComposeResult compose(const std::vector<ItemReference> &references)
    {
        return composePresentation(dir.path(), 0, references, &training, out());
    }

    QString out() const { return dir.file("out.pnn"); }

    TempDataDir dir;
    TrainingRecord training;
};

} // namespace

TEST_F(ComposeTest, ItemsWithoutImagesGiveTheFrontPageAlone)
{
    const ComposeResult result = compose({kHeadingFlag, 0, 0});
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.frontPage);
    EXPECT_EQ(result.itemSlides, 0);
    EXPECT_EQ(readFile(out()), blockBytes("front0"));
}

TEST_F(ComposeTest, SlidesFollowTheOutlineInPreOrder)
{
    // Chapter A (no slide) > child a1 > grandchild a11; then sibling b. The
    // references come in pre-order, so the child's slide precedes the sibling's.
    const ItemReference b = addSlide("slide-b");
    const ItemReference a1 = addSlide("slide-a1");
    const ItemReference a11 = addSlide("slide-a11");
    const ComposeResult result = compose({kHeadingFlag, a1, a11, b | kHeadingFlag});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.itemSlides, 3);
    EXPECT_EQ(result.slides(), 4);
    EXPECT_EQ(readFile(out()),
              blockBytes("front0") + blockBytes("slide-a1") + blockBytes("slide-a11") + blockBytes("slide-b"));
    EXPECT_EQ(result.bytes, readFile(out()).size());
}

TEST_F(ComposeTest, FrontPageIsTheBlockOfTheTrainingType)
{
    const struct
    {
        int type;
        QByteArray expected;
    } cases[] = {{0, blockBytes("front0")}, {3, blockBytes("front3")}, {5, blockBytes("front5")}, {-1, {}}};
    for (const auto &c : cases) {
        setType(c.type);
        const ComposeResult result = compose({});
        ASSERT_TRUE(result.ok) << c.type;
        EXPECT_EQ(training.type, c.type);
        EXPECT_EQ(result.frontPage, c.type >= 0) << c.type;
        EXPECT_EQ(readFile(out()), c.expected) << c.type;
    }
}

TEST_F(ComposeTest, ZeroLengthBlockIsItsLengthWordAlone)
{
    const ItemReference empty = addSlide(QByteArray());
    writeFile(dir.file(kFrontPageName), blockBytes(QByteArray()) + blockBytes("front1"));
    ASSERT_TRUE(compose({empty}).ok);
    EXPECT_EQ(readFile(out()), int32Bytes(0) + int32Bytes(0));
}

TEST_F(ComposeTest, MissingFrontPageStartsWithTheFirstItem)
{
    QFile::remove(dir.file(kFrontPageName));
    const ItemReference a = addSlide("a");
    const ComposeResult result = compose({a});
    ASSERT_TRUE(result.ok);
    EXPECT_FALSE(result.frontPage);
    EXPECT_EQ(readFile(out()), blockBytes("a"));
}

TEST_F(ComposeTest, UnreadableCatalogueKeepsTheWorkingTrainingType)
{
    QFile::remove(dir.file(kCatalogueName));
    training.type = 4;
    ASSERT_TRUE(compose({}).ok);
    EXPECT_EQ(training.type, 4);
    EXPECT_EQ(readFile(out()), blockBytes("front4"));
}

TEST_F(ComposeTest, MissingImageStoreWritesNothing)
{
    QFile::remove(dir.file(imageStoreFileName(0)));
    const ComposeResult result = compose({});
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(fileExists(out()));
}

TEST_F(ComposeTest, CorruptLengthsFailWithoutPartialOutput)
{
    const ItemReference good = addSlide("good");
    // A block whose length runs past the end of the store, one whose length is
    // negative, and an offset past the end.
    const QString store = dir.file(imageStoreFileName(0));
    const ItemReference pastEnd = static_cast<ItemReference>(readFile(store).size());
    writeFile(store, readFile(store) + int32Bytes(1000) + "short");
    const ItemReference negative = static_cast<ItemReference>(readFile(store).size());
    writeFile(store, readFile(store) + int32Bytes(-5) + "xxxx");
    const ItemReference beyond = 0x100000;
    const QByteArray old("previous presentation");

    for (const ItemReference bad : {pastEnd, negative, beyond}) {
        writeFile(out(), old);
        const ComposeResult result = compose({good, bad, good});
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(readFile(out()), old) << bad;
    }
}

TEST_F(ComposeTest, CorruptFrontPageFails)
{
    const struct
    {
        QByteArray front;
        int type;
    } cases[] = {
        {blockBytes("f0") + int32Bytes(-1) + blockBytes("f2"), 2}, // negative length skipped over
        {blockBytes("f0") + int32Bytes(500) + "abc", 1},           // runs past the end
        {blockBytes("f0"), 3},                                     // no block for the type
    };
    for (const auto &c : cases) {
        writeFile(dir.file(kFrontPageName), c.front);
        setType(c.type);
        const ComposeResult result = compose({});
        EXPECT_FALSE(result.ok) << c.type;
        EXPECT_FALSE(fileExists(out())) << c.type;
    }
}
