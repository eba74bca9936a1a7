// Drops on the outline: topics copied from the topic tree by drop position,
// items moved within the outline, and drops that must be ignored.

#include "store/ItemReference.h"
#include "support/ui/OutlineFixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

using namespace marbelo;
using namespace testing_support;

namespace {

class OutlineDropTest : public OutlineWindowTest
{
protected:
    void SetUp() override
    {
        makeTraining({{QStringLiteral("Rozdział 1"), 0, kChapter},
                      {QStringLiteral("Dział 1.1"), 1, 0},
                      {QStringLiteral("Poddział 1.1.1"), 2, 0},
                      {QStringLiteral("Wstęp"), 3, 0},
                      {QStringLiteral("Rozdział 2"), 0, kChapter},
                      {QStringLiteral("Dział 2.1"), 1, 0}});
    }

    void dropTopic(const QString &name, const QPoint &at)
    {
        selectTopic(name);
        window->outline().dropAt(moduleTree(), at);
    }

    QPoint belowTheLastItem() const
    {
        outline()->expandAll();
        const QRect last = outline()->visualItemRect(outline()->flatItems().last());
        const QPoint at(last.left() + 3, last.bottom() + 8);
        EXPECT_TRUE(outline()->viewport()->rect().contains(at));
        return at;
    }
};

} // namespace

TEST_F(OutlineDropTest, ATopicDroppedOnAChapterBecomesItsLastChild)
{
    open();
    outline()->expandAll();
    dropTopic(QStringLiteral("Temat A"), labelPoint(item(QStringLiteral("Rozdział 2"))));
    EXPECT_EQ(treeShape(outline()),
              QStringList({"0:Rozdział 1", "1:Dział 1.1", "2:Poddział 1.1.1", "3:Wstęp", "0:Rozdział 2",
                           "1:Dział 2.1", "1:Temat A"}));
    EXPECT_EQ(PaneTree::referenceOf(item(QStringLiteral("Temat A"))), 4u);
    EXPECT_EQ(fileShape(), treeShape(outline()));
    // A drop does not select anything.
    EXPECT_TRUE(outline()->selectedItems().isEmpty());
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(OutlineDropTest, ATopicDroppedOnACopiedTopicGoesInFrontOfIt)
{
    open();
    outline()->expandAll();
    dropTopic(QStringLiteral("Temat A"), labelPoint(item(QStringLiteral("Rozdział 2"))));
    outline()->expandAll();
    dropTopic(QStringLiteral("Temat B"), labelPoint(item(QStringLiteral("Temat A"))));
    EXPECT_EQ(treeShape(outline()),
              QStringList({"0:Rozdział 1", "1:Dział 1.1", "2:Poddział 1.1.1", "3:Wstęp", "0:Rozdział 2",
                           "1:Dział 2.1", "1:Temat B", "1:Temat A"}));
    EXPECT_EQ(fileShape(), treeShape(outline()));
}

TEST_F(OutlineDropTest, ATopicDroppedBelowTheLastItemJoinsThatItemsLevel)
{
    // The last item is the child of a subsection.
    QString error;
    ASSERT_TRUE(saveOutline(outlinePath(), {{QStringLiteral("Rozdział 1"), 0, kChapter},
                                            {QStringLiteral("Dział 1.1"), 1, 0},
                                            {QStringLiteral("Poddział 1.1.1"), 2, 0},
                                            {QStringLiteral("Wstęp"), 3, 0}},
                            &error));
    open();
    dropTopic(QStringLiteral("Temat A"), belowTheLastItem());
    EXPECT_EQ(treeShape(outline()),
              QStringList({"0:Rozdział 1", "1:Dział 1.1", "2:Poddział 1.1.1", "3:Wstęp", "3:Temat A"}));
    EXPECT_EQ(item(QStringLiteral("Temat A"))->parent(), item(QStringLiteral("Poddział 1.1.1")));
    EXPECT_EQ(fileShape(), treeShape(outline()));
}

TEST_F(OutlineDropTest, TheIndentationOfAnItemWithoutChildrenCountsAsTheItem)
{
    open();
    outline()->expandAll();
    const QRect rect = outline()->visualItemRect(item(QStringLiteral("Dział 2.1")));
    dropTopic(QStringLiteral("Temat A"), QPoint(rect.left() - outline()->indentation() / 2, rect.center().y()));
    EXPECT_EQ(item(QStringLiteral("Temat A"))->parent(), item(QStringLiteral("Dział 2.1")));
}

TEST_F(OutlineDropTest, DropsOnTheExpandButtonOrRightOfTheLabelDoNothing)
{
    open();
    outline()->expandAll();
    const QRect rect = outline()->visualItemRect(item(QStringLiteral("Rozdział 1")));
    const QPoint points[] = {
        {rect.left() - outline()->indentation() / 2, rect.center().y()}, // the expand button
        {rect.right() - 2, rect.center().y()},                           // far right of the label
    };
    ASSERT_GT(rect.width(), 3 * outline()->fontMetrics().horizontalAdvance(QStringLiteral("Rozdział 1")));
    const QStringList shape = treeShape(outline());
    QFile::remove(outlinePath());
    for (const QPoint &at : points) {
        SCOPED_TRACE(at.x());
        dropTopic(QStringLiteral("Temat A"), at);
        EXPECT_EQ(treeShape(outline()), shape);
        EXPECT_TRUE(readFile(storePath()).isEmpty());
        EXPECT_FALSE(fileExists(outlinePath()));
    }
}

TEST_F(OutlineDropTest, DragsFromElsewhereAreAcceptedButTheirDropIsIgnored)
{
    open();
    outline()->expandAll();
    selectTopic(QStringLiteral("Temat A"));
    selectItem(QStringLiteral("Dział 2.1"));
    const QPoint at = labelPoint(item(QStringLiteral("Rozdział 1")));
    QMimeData data;
    data.setData(QString::fromLatin1(PaneTree::mimeType()), QByteArray("QelModuleTreeView"));

    // Drag events after the entry go to the widget that accepted the entry.
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(outline()->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    move.setAccepted(false);
    QApplication::sendEvent(outline()->viewport(), &move);
    EXPECT_TRUE(move.isAccepted());

    const QStringList shape = treeShape(outline());
    QFile::remove(outlinePath());
    // No drag is running, so the event names no source tree.
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(outline()->viewport(), &drop);
    // The pane took the drop, as a copy so that no drag source removes anything.
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    window->outline().dropAt(nullptr, at);
    // A topic without a slide, dragged from the topic tree, is not a move either.
    selectTopic(QStringLiteral("Rozdział tematów"));
    window->outline().dropAt(moduleTree(), at);
    EXPECT_EQ(treeShape(outline()), shape);
    EXPECT_FALSE(fileExists(outlinePath()));
    EXPECT_TRUE(readFile(storePath()).isEmpty());
}

TEST_F(OutlineDropTest, AChapterDraggedOntoItsOwnSectionStaysButTheOutlineIsSaved)
{
    open();
    selectItem(QStringLiteral("Rozdział 1"));
    const QStringList shape = treeShape(outline());
    QFile::remove(outlinePath());
    window->outline().dropAt(outline(), labelPoint(item(QStringLiteral("Dział 1.1"))));
    EXPECT_EQ(treeShape(outline()), shape);
    EXPECT_EQ(fileShape(), shape);
    EXPECT_TRUE(item(QStringLiteral("Rozdział 1"))->isSelected());
    // Below the last item, whose parent is the dragged chapter: unchanged too.
    clickItem(outline(), item(QStringLiteral("Rozdział 2")));
    QFile::remove(outlinePath());
    window->outline().dropAt(outline(), belowTheLastItem());
    EXPECT_EQ(treeShape(outline()), shape);
    EXPECT_EQ(fileShape(), shape);
}

TEST_F(OutlineDropTest, ASectionDraggedOntoAChapterBecomesItsLastChildAndStaysSelected)
{
    open();
    outline()->expandItem(item(QStringLiteral("Rozdział 1")));
    outline()->expandItem(item(QStringLiteral("Dział 1.1")));
    clickItem(outline(), item(QStringLiteral("Dział 1.1")));
    QTreeWidgetItem *chapter = item(QStringLiteral("Rozdział 2"));
    ASSERT_FALSE(chapter->isExpanded());
    window->outline().dropAt(outline(), labelPoint(chapter));
    EXPECT_EQ(treeShape(outline()),
              QStringList({"0:Rozdział 1", "0:Rozdział 2", "1:Dział 2.1", "1:Dział 1.1", "2:Poddział 1.1.1",
                           "3:Wstęp"}));
    EXPECT_TRUE(chapter->isExpanded());
    QTreeWidgetItem *moved = item(QStringLiteral("Dział 1.1"));
    EXPECT_TRUE(moved->isSelected());
    EXPECT_TRUE(moved->isExpanded()) << "the moved subtree keeps its expansion";
    EXPECT_EQ(fileShape(), treeShape(outline()));
    EXPECT_TRUE(readFile(storePath()).isEmpty());
}

TEST_F(OutlineDropTest, AnItemDroppedBelowTheLastItemMovesToTheEndOfThatLevel)
{
    open();
    outline()->expandAll();
    clickItem(outline(), item(QStringLiteral("Dział 1.1")));
    window->outline().dropAt(outline(), belowTheLastItem());
    EXPECT_EQ(treeShape(outline()),
              QStringList({"0:Rozdział 1", "0:Rozdział 2", "1:Dział 2.1", "1:Dział 1.1", "2:Poddział 1.1.1",
                           "3:Wstęp"}));
    EXPECT_EQ(fileShape(), treeShape(outline()));
}
