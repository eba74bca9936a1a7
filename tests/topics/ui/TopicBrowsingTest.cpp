// Browsing the topic library in the window: list, tree, slide preview.

#include "shell/ui/PaneWidgets.h"
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
        for (QTreeWidgetItem *item : window->QelModuleTreeView->flatItems()) {
            if (item->text(0) == name)
                return item;
        }
        ADD_FAILURE() << "no topic " << name.toStdString();
        return nullptr;
    }

    void selectList(int row)
    {
        clickLine(window->QelModuleListBox, row);
        window->QelModuleTreeView->expandAll();
    }

    bool titleLabelsShown() const
    {
        return window->Qel3DLabel2->isVisible() && window->Qel3DLabel2->width() == window->QelViewBodyPanel->width()
               && !window->QelViewImage->isVisible();
    }

    QByteArray jpeg;
};

} // namespace

TEST_F(TopicBrowsingTest, ListIsSortedFirstLineSelectedAndItsTreeBuilt)
{
    open();
    EXPECT_EQ(listTexts(window->QelModuleListBox),
              QStringList({"Apteczka", "Bezpieczeństwo", "Ćwiczenia"}));
    EXPECT_TRUE(window->QelModuleListBox->item(0)->isSelected());
    EXPECT_EQ(treeShape(window->QelModuleTreeView), QStringList({"0:Zawartość apteczki"}));
    EXPECT_EQ(window->state().moduleFiles.size(), 3u);
    // Every line's running index resolves to its own file.
    for (int row = 0; row < 3; ++row) {
        const int index = window->QelModuleListBox->numberAt(row);
        int matches = 0;
        for (const auto &entry : window->state().moduleFiles)
            matches += entry.second == index;
        EXPECT_EQ(matches, 1);
    }
    EXPECT_TRUE(titleLabelsShown());
}

TEST_F(TopicBrowsingTest, ClickingATopicWithASlideShowsItAndLeavesNoViewJpg)
{
    open();
    selectList(1);
    EXPECT_EQ(treeShape(window->QelModuleTreeView),
              QStringList({"0:Rozdział bez slajdu", "1:Temat ze slajdem", "2:Głębiej", "1:Zepsuty slajd"}));
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    EXPECT_TRUE(window->state().slideShown);
    EXPECT_TRUE(window->QelViewImage->isVisible());
    EXPECT_EQ(window->QelViewImage->pictureSize(), QSize(800, 600));
    const int paneWidth = window->QelViewBodyPanel->width();
    EXPECT_EQ(window->QelViewImage->geometry().width(), paneWidth - 20);
    EXPECT_EQ(window->QelViewImage->geometry().height(), 600 * (paneWidth - 20) / 800);
    EXPECT_FALSE(window->Qel3DLabel1->isVisible());
    EXPECT_FALSE(fileExists(dir.file(kViewJpgName)));
    // The picture was decoded at a scale that covers the shown size, not beyond.
    EXPECT_GE(window->QelViewImage->decodedSize().width(), window->QelViewImage->width());
    EXPECT_LE(window->QelViewImage->decodedSize().width(), 800);
}

TEST_F(TopicBrowsingTest, HeadingWithoutSlideShowsTheTitleAndIsBold)
{
    open();
    selectList(1);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->state().slideShown);
    QTreeWidgetItem *heading = topicNamed(QStringLiteral("Rozdział bez slajdu"));
    clickItem(window->QelModuleTreeView, heading);
    EXPECT_FALSE(window->state().slideShown);
    EXPECT_TRUE(titleLabelsShown());
    auto *delegate = qobject_cast<HeadingDelegate *>(window->QelModuleTreeView->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QModelIndex headingIndex = window->QelModuleTreeView->indexFromItem(heading);
    EXPECT_TRUE(delegate->fontFor(headingIndex, QFont()).bold());
    const QModelIndex plain = window->QelModuleTreeView->indexFromItem(topicNamed(QStringLiteral("Głębiej")));
    EXPECT_FALSE(delegate->fontFor(plain, QFont()).bold());
}

TEST_F(TopicBrowsingTest, ASlideThatCannotBeDecodedShowsTheTitleNeverAStaleSlide)
{
    open();
    selectList(1);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->state().slideShown);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Zepsuty slajd")));
    EXPECT_FALSE(window->state().slideShown);
    EXPECT_TRUE(titleLabelsShown());
    EXPECT_FALSE(window->QelViewImage->hasPicture());
    EXPECT_FALSE(fileExists(dir.file(kViewJpgName)));
}

TEST_F(TopicBrowsingTest, KeysInTheTreeShowTheNewlySelectedSlide)
{
    open();
    selectList(1);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Rozdział bez slajdu")));
    ASSERT_FALSE(window->state().slideShown);
    pressKey(window->QelModuleTreeView, Qt::Key_Down);
    EXPECT_EQ(window->QelModuleTreeView->currentItem()->text(0), QStringLiteral("Temat ze slajdem"));
    EXPECT_TRUE(window->state().slideShown);
}

TEST_F(TopicBrowsingTest, AKeyReleaseInTheListRebuildsTheTreeAndShowsTheTitle)
{
    open();
    selectList(1);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->state().slideShown);
    pressKey(window->QelModuleListBox, Qt::Key_Down);
    EXPECT_TRUE(window->QelModuleListBox->item(2)->isSelected());
    EXPECT_EQ(window->QelModuleTreeView->topLevelItemCount(), 0);
    EXPECT_FALSE(window->state().slideShown);
    EXPECT_TRUE(titleLabelsShown());
    // Any key rebuilds, even one that does not move: expansion is lost.
    pressKey(window->QelModuleListBox, Qt::Key_Up);
    window->QelModuleTreeView->expandAll();
    pressKey(window->QelModuleListBox, Qt::Key_Shift);
    EXPECT_FALSE(window->QelModuleTreeView->topLevelItem(0)->isExpanded());
}

TEST_F(TopicBrowsingTest, ATopicFileThatVanishedKeepsThePreview)
{
    open();
    selectList(1);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    ASSERT_TRUE(window->state().slideShown);
    ASSERT_TRUE(QFile::remove(dir.file("b.mdl")));
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    EXPECT_TRUE(window->state().slideShown);
    EXPECT_TRUE(window->QelViewImage->hasPicture());
}

TEST_F(TopicBrowsingTest, ResizingThePaneLaysItOutAgain)
{
    open();
    selectList(1);
    clickItem(window->QelModuleTreeView, topicNamed(QStringLiteral("Temat ze slajdem")));
    window->resize(1100, 700);
    QApplication::processEvents();
    const int paneWidth = window->QelViewBodyPanel->width();
    EXPECT_EQ(window->QelViewImage->geometry().width(), paneWidth - 20);
    EXPECT_EQ(window->QelViewImage->geometry().top(),
              (window->QelViewBodyPanel->height() - window->QelViewImage->height()) / 2);
}

TEST_F(TopicBrowsingTest, EmptyDataDirectoryGivesEmptyPanes)
{
    for (const QString &name : {QStringLiteral("a.mdl"), QStringLiteral("b.mdl"), QStringLiteral("c.mdl")})
        QFile::remove(dir.file(name));
    open();
    EXPECT_EQ(window->QelModuleListBox->count(), 0);
    EXPECT_TRUE(window->QelModuleListBox->selectedItems().isEmpty());
    EXPECT_EQ(window->QelModuleTreeView->topLevelItemCount(), 0);
}
