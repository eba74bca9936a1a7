// Copying detailed topics into the outline by "Kopiuj" and by double click:
// the image store's bytes, the new items and the refused or failed copies.

#include "store/ItemReference.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "support/FileSizeLimit.h"
#include "support/ui/OutlineFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <functional>

using namespace marbelo;
using namespace testing_support;

namespace {

class CopyTopicTest : public OutlineWindowTest
{
protected:
    void SetUp() override
    {
        makeTraining({{QStringLiteral("Rozdział 1"), 0, kChapter},
                      {QStringLiteral("Dział 1.1"), 1, 0},
                      {QStringLiteral("Poddział 1.1.1"), 2, 0},
                      {QStringLiteral("Dział 1.2"), 1, 0}});
    }

    // The coded slide bytes of a topic, straight from the topic file.
    QByteArray topicSlide(const QString &name) const
    {
        const QByteArray file = readFile(dir.file("t.mdl"));
        const auto offset = static_cast<qsizetype>(slideOffset(PaneTree::referenceOf(topic(name))));
        const QByteArray lengthBytes = file.mid(offset, 4);
        const std::int32_t length = qFromLittleEndian<std::int32_t>(lengthBytes.constData());
        return file.mid(offset + 4, length);
    }

    void copyByCommand()
    {
        ASSERT_TRUE(window->entries(Command::CopyTopic).mainMenu->isEnabled());
        window->entries(Command::CopyTopic).mainMenu->trigger();
    }

    // Copies Temat A into Dział 1.1 after arrange() has spoiled the copy;
    // nothing may change and the user is told.
    void expectCopyRefused(const std::function<void()> &arrange)
    {
        open();
        selectItem(QStringLiteral("Dział 1.1"));
        selectTopic(QStringLiteral("Temat A"));
        const QStringList shape = treeShape(outline());
        arrange();
        const QByteArray storeBefore = readFile(storePath());
        copyByCommand();
        EXPECT_EQ(treeShape(outline()), shape);
        EXPECT_EQ(fileShape(), shape);
        EXPECT_EQ(readFile(storePath()), storeBefore);
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].kind, QStringLiteral("information"));
        EXPECT_TRUE(messages.calls[0].text.startsWith(QStringLiteral("Nie udało się skopiować tematu")));
        EXPECT_FALSE(QFileInfo(dir.file(kCopyJpgName)).isFile());
    }
};

} // namespace

TEST_F(CopyTopicTest, DoubleClickIsRefusedUnlessASectionAndATopicWithASlideAreSelected)
{
    struct Case
    {
        const char *outlineItem; // null: none selected
        const char *topic;
    };
    const Case cases[] = {
        {"Rozdział 1", "Temat A"},            // a chapter
        {"Dział 1.1", "Rozdział tematów"},    // a topic without a slide
        {nullptr, "Temat A"},                 // no outline item selected
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.outlineItem ? c.outlineItem : "none");
        open();
        if (c.outlineItem)
            selectItem(QString::fromUtf8(c.outlineItem));
        selectTopic(QString::fromUtf8(c.topic));
        EXPECT_FALSE(window->entries(Command::CopyTopic).mainMenu->isEnabled());
        const QStringList shape = treeShape(outline());
        QFile::remove(outlinePath());
        doubleClickItem(moduleTree(), topic(QString::fromUtf8(c.topic)));
        EXPECT_EQ(treeShape(outline()), shape);
        EXPECT_FALSE(fileExists(outlinePath())) << "the outline was saved";
        EXPECT_TRUE(readFile(storePath()).isEmpty());
        EXPECT_TRUE(messages.calls.empty());
        QString error;
        ASSERT_TRUE(saveOutline(outlinePath(), {{QStringLiteral("Rozdział 1"), 0, kChapter},
                                                {QStringLiteral("Dział 1.1"), 1, 0},
                                                {QStringLiteral("Poddział 1.1.1"), 2, 0},
                                                {QStringLiteral("Dział 1.2"), 1, 0}},
                                &error));
    }
}

TEST_F(CopyTopicTest, KopiujAndDoubleClickAppendBlocksAndItemsUnderTheSection)
{
    open();
    selectItem(QStringLiteral("Dział 1.1"));
    outline()->collapseItem(item(QStringLiteral("Dział 1.1")));
    selectTopic(QStringLiteral("Temat A"));
    const QByteArray codedA = topicSlide(QStringLiteral("Temat A"));
    const QByteArray codedB = topicSlide(QStringLiteral("Temat B"));
    // The store receives the topic file's coded bytes, not the picture.
    ASSERT_EQ(BCodeToStr(codedA), jpegA);

    copyByCommand();
    const QByteArray first = QByteArray("QUOX") + int32Bytes(static_cast<std::int32_t>(codedA.size())) + codedA;
    EXPECT_EQ(readFile(storePath()), first);
    QTreeWidgetItem *section = item(QStringLiteral("Dział 1.1"));
    ASSERT_EQ(section->childCount(), 2);
    EXPECT_EQ(section->child(1)->text(0), QStringLiteral("Temat A"));
    EXPECT_EQ(PaneTree::referenceOf(section->child(1)), 4u);
    EXPECT_TRUE(section->isExpanded());
    EXPECT_TRUE(section->isSelected());
    EXPECT_FALSE(section->child(1)->isSelected());
    EXPECT_FALSE(fileExists(dir.file(kCopyJpgName)));
    EXPECT_EQ(fileShape(), treeShape(outline()));

    // A second slide goes to the old end of the store.
    selectTopic(QStringLiteral("Temat B"));
    doubleClickItem(moduleTree(), topic(QStringLiteral("Temat B")));
    const QByteArray second = first + int32Bytes(static_cast<std::int32_t>(codedB.size())) + codedB;
    EXPECT_EQ(readFile(storePath()), second);
    ASSERT_EQ(section->childCount(), 3);
    EXPECT_EQ(section->child(2)->text(0), QStringLiteral("Temat B"));
    EXPECT_EQ(PaneTree::referenceOf(section->child(2)), static_cast<quint32>(4 + 4 + codedA.size()));

    // The same topic again: a second item and a block of its own.
    selectTopic(QStringLiteral("Temat A"));
    copyByCommand();
    EXPECT_EQ(readFile(storePath()), second + int32Bytes(static_cast<std::int32_t>(codedA.size())) + codedA);
    ASSERT_EQ(section->childCount(), 4);
    EXPECT_EQ(section->child(3)->text(0), QStringLiteral("Temat A"));
    EXPECT_EQ(PaneTree::referenceOf(section->child(3)), static_cast<quint32>(second.size()));
    const std::vector<ItemReference> expected = {kChapter, 0, 0, 4, static_cast<ItemReference>(8 + codedA.size()),
                                                 static_cast<ItemReference>(second.size()), 0};
    EXPECT_EQ(fileReferences(), expected);
    EXPECT_EQ(fileShape(), treeShape(outline()));
    for (const ItemReference reference : expected) {
        if (!hasSlide(reference))
            continue;
        QByteArray back;
        ASSERT_TRUE(readSlideBlock(storePath(), static_cast<std::int32_t>(reference), &back));
        EXPECT_TRUE(back == codedA || back == codedB);
    }
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(CopyTopicTest, AStaleCopyJpgIsNeverStored)
{
    writeFile(dir.file(kCopyJpgName), QByteArray("left over from an earlier run"));
    open();
    selectItem(QStringLiteral("Dział 1.2"));
    selectTopic(QStringLiteral("Temat B"));
    copyByCommand();
    const QByteArray codedB = topicSlide(QStringLiteral("Temat B"));
    EXPECT_EQ(readFile(storePath()), QByteArray("QUOX") + int32Bytes(static_cast<std::int32_t>(codedB.size())) + codedB);
    EXPECT_FALSE(fileExists(dir.file(kCopyJpgName)));
}

TEST_F(CopyTopicTest, AStoreReplacedByAFolderAddsNothingAndIsReported)
{
    expectCopyRefused([this] {
        ASSERT_TRUE(QFile::remove(storePath()));
        ASSERT_TRUE(QDir(dir.path()).mkdir(imageStoreFileName(0)));
    });
    EXPECT_TRUE(QFileInfo(storePath()).isDir());
}

TEST_F(CopyTopicTest, ACopyJpgThatCannotBeCreatedAddsNothingAndIsReported)
{
    expectCopyRefused([this] { ASSERT_TRUE(QDir(dir.path()).mkdir(kCopyJpgName)); });
    EXPECT_TRUE(readFile(storePath()).isEmpty());
}

TEST_F(CopyTopicTest, AnAppendThatFailsPartWayIsCutBack)
{
    // A store far larger than the slide, and a file-size limit a few bytes
    // past its end: Copy.jpg fits, the block does not.
    writeFile(storePath(), QByteArray("QUOX") + blockBytes(QByteArray(4000, 'x')));
    const QByteArray before = readFile(storePath());
    FileSizeLimit limit;
    expectCopyRefused([&] { ASSERT_TRUE(limit.set(before.size() + 10)); });
    EXPECT_EQ(readFile(storePath()), before);
    ASSERT_FALSE(messages.calls.empty());
    EXPECT_TRUE(messages.calls[0].text.contains(QStringLiteral("magazynu slajdów")));
}
