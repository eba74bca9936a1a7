// Browsing the topic library in the window: list, tree, slide preview.

#include "common/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/Records.h"
#include "support/ui/MainWindowFixture.h"
#include "topics/ui/PreviewWidgets.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace marbelo;
using namespace testing_support;

namespace {

class TopicBrowsingTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        jpeg = makeJpeg(800, 600);
        writeTopicFile(dir.file("b.mdl"), QStringLiteral("Bezpieczeństwo"),
                       {topicRecord("0", "1", "0", QStringLiteral("Rozdział bez slajdu")),
                        topicRecord("1", "0", "1", QStringLiteral("Temat ze slajdem"), jpeg),
                        topicRecord("2", "0", "0", QStringLiteral("Głębiej")),
                        topicRecord("1", "0", "1", QStringLiteral("Zepsuty slajd"), QByteArray("not a jpeg"))});
        writeTopicFile(dir.file("a.mdl"), QStringLiteral("Apteczka"),
                       {topicRecord("0", "0", "0", QStringLiteral("Zawartość apteczki"))});
        writeTopicFile(dir.file("c.mdl"), QStringLiteral("Ćwiczenia"), {});
    }

    QTreeWidgetItem *topicNamed(const QString &name)
    {
        for (QTreeWidgetItem *item : moduleTree()->flatItems()) {
            if (item->text(0) == name)
                return item;
        }
        ADD_FAILURE() << "no topic " << name.toStdString();
        return nullptr;
    }

    void selectList(int row)
    {
        clickLine(moduleList(), row);
        moduleTree()->expandAll();
    }

    bool titleLabelsShown() const
    {
        return child<QWidget>("Qel3DLabel2")->isVisible() && child<QWidget>("Qel3DLabel2")->width() == previewPanel()->width()
               && !previewImage()->isVisible();
    }

    QByteArray jpeg;
};

} // namespace

TEST_F(TopicBrowsingTest, ListIsSortedFirstLineSelectedAndItsTreeBuilt)
{
    open();
    EXPECT_EQ(listTexts(moduleList()),
              QStringList({"Apteczka", "Bezpieczeństwo", "Ćwiczenia"}));
    EXPECT_TRUE(moduleList()->item(0)->isSelected());
    EXPECT_EQ(treeShape(moduleTree()), QStringList({"0:Zawartość apteczki"}));
    EXPECT_EQ(window->topicLibrary().moduleFiles().size(), 3u);
    // Every line's running index resolves to its own file.
    for (int row = 0; row < 3; ++row) {
        const int index = moduleList()->numberAt(row);
        int matches = 0;
        for (const auto &entry : window->topicLibrary().moduleFiles())
            matches += entry.second == index;
        EXPECT_EQ(matches, 1);
    }
    EXPECT_TRUE(titleLabelsShown());
}

TEST_F(TopicBrowsingTest, ClickingATopicWithASlideShowsItAndLeavesNoViewJpg)
{
    open();
    selectList(1);
    EXPECT_EQ(treeShape(moduleTree()),
              QStringList({"0:Rozdział bez slajdu", "1:Temat ze slajdem", "2:Głębiej", "1:Zepsuty slajd"}));
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    EXPECT_TRUE(window->slidePreview().slideShown());
    EXPECT_TRUE(previewImage()->isVisible());
    EXPECT_EQ(previewImage()->pictureSize(), QSize(800, 600));
    const int paneWidth = previewPanel()->width();
    EXPECT_EQ(previewImage()->geometry().width(), paneWidth - 20);
    EXPECT_EQ(previewImage()->geometry().height(), 600 * (paneWidth - 20) / 800);
    EXPECT_FALSE(child<QWidget>("Qel3DLabel1")->isVisible());
    EXPECT_FALSE(fileExists(dir.file(kViewJpgName)));
    // The picture was decoded at a scale that covers the shown size, not beyond.
    EXPECT_GE(previewImage()->decodedSize().width(), previewImage()->width());
    EXPECT_LE(previewImage()->decodedSize().width(), 800);
}

TEST_F(TopicBrowsingTest, HeadingWithoutSlideShowsTheTitleAndIsBold)
{
    open();
    selectList(1);
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->slidePreview().slideShown());
    QTreeWidgetItem *heading = topicNamed(QStringLiteral("Rozdział bez slajdu"));
    clickItem(moduleTree(), heading);
    EXPECT_FALSE(window->slidePreview().slideShown());
    EXPECT_TRUE(titleLabelsShown());
    auto *delegate = qobject_cast<HeadingDelegate *>(moduleTree()->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QModelIndex headingIndex = moduleTree()->indexFromItem(heading);
    EXPECT_TRUE(delegate->fontFor(headingIndex, QFont()).bold());
    const QModelIndex plain = moduleTree()->indexFromItem(topicNamed(QStringLiteral("Głębiej")));
    EXPECT_FALSE(delegate->fontFor(plain, QFont()).bold());
}

TEST_F(TopicBrowsingTest, ASlideThatCannotBeDecodedShowsTheTitleNeverAStaleSlide)
{
    open();
    selectList(1);
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->slidePreview().slideShown());
    clickItem(moduleTree(), topicNamed(QStringLiteral("Zepsuty slajd")));
    EXPECT_FALSE(window->slidePreview().slideShown());
    EXPECT_TRUE(titleLabelsShown());
    EXPECT_FALSE(previewImage()->hasPicture());
    EXPECT_FALSE(fileExists(dir.file(kViewJpgName)));
}

TEST_F(TopicBrowsingTest, KeysInTheTreeShowTheNewlySelectedSlide)
{
    open();
    selectList(1);
    clickItem(moduleTree(), topicNamed(QStringLiteral("Rozdział bez slajdu")));
    ASSERT_FALSE(window->slidePreview().slideShown());
    pressKey(moduleTree(), Qt::Key_Down);
    EXPECT_EQ(moduleTree()->currentItem()->text(0), QStringLiteral("Temat ze slajdem"));
    EXPECT_TRUE(window->slidePreview().slideShown());
}

TEST_F(TopicBrowsingTest, AKeyReleaseInTheListRebuildsTheTreeAndShowsTheTitle)
{
    open();
    selectList(1);
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->slidePreview().slideShown());
    pressKey(moduleList(), Qt::Key_Down);
    EXPECT_TRUE(moduleList()->item(2)->isSelected());
    EXPECT_EQ(moduleTree()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->slidePreview().slideShown());
    EXPECT_TRUE(titleLabelsShown());
    // Any key rebuilds, even one that does not move: expansion is lost.
    pressKey(moduleList(), Qt::Key_Up);
    moduleTree()->expandAll();
    pressKey(moduleList(), Qt::Key_Shift);
    EXPECT_FALSE(moduleTree()->topLevelItem(0)->isExpanded());
}

TEST_F(TopicBrowsingTest, ATopicFileThatVanishedKeepsThePreview)
{
    open();
    selectList(1);
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->slidePreview().slideShown());
    ASSERT_TRUE(QFile::remove(dir.file("b.mdl")));
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    EXPECT_TRUE(window->slidePreview().slideShown());
    EXPECT_TRUE(previewImage()->hasPicture());
}

TEST_F(TopicBrowsingTest, ResizingThePaneLaysItOutAgain)
{
    open();
    selectList(1);
    clickItem(moduleTree(), topicNamed(QStringLiteral("Temat ze slajdem")));
    window->resize(1100, 700);
    QApplication::processEvents();
    const int paneWidth = previewPanel()->width();
    EXPECT_EQ(previewImage()->geometry().width(), paneWidth - 20);
    EXPECT_EQ(previewImage()->geometry().top(),
              (previewPanel()->height() - previewImage()->height()) / 2);
}

TEST_F(TopicBrowsingTest, EmptyDataDirectoryGivesEmptyPanes)
{
    for (const QString &name : {QStringLiteral("a.mdl"), QStringLiteral("b.mdl"), QStringLiteral("c.mdl")})
        QFile::remove(dir.file(name));
    open();
    EXPECT_EQ(moduleList()->count(), 0);
    EXPECT_TRUE(moduleList()->selectedItems().isEmpty());
    EXPECT_EQ(moduleTree()->topLevelItemCount(), 0);
}
