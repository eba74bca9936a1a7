// The outline model: built from records by the parent rule, written back in
// pre-order, and the operations the window's commands and undo use.

#include "trainings/OutlineHistory.h"
#include "trainings/OutlineTree.h"
#include "support/Fixtures.h"

#include <QStringList>

#include <functional>

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

constexpr ItemReference kChapter = 0x40000000;

// "level:name" of every item in pre-order.
QStringList shape(const OutlineTree &tree)
{
    QStringList out;
    for (const OutlineRecord &r : tree.records())
        out << QString::number(r.level) + QLatin1Char(':') + r.name;
    return out;
}

// A  (chapter, 2 h)
//   A1 (0.5 + 0.5 h)
//   A2 (slide)
//   A3
// B  (chapter)
OutlineTree sample()
{
    return OutlineTree::fromRecords({{QStringLiteral("A"), 0, kChapter, PlannedHours{8, 0}},
                                     {QStringLiteral("A1"), 1, 0, PlannedHours{2, 2}},
                                     {QStringLiteral("A2"), 1, 0x20},
                                     {QStringLiteral("A3"), 1, 0},
                                     {QStringLiteral("B"), 0, kChapter}});
}

OutlineNode named(const OutlineTree &tree, const QString &name)
{
    for (OutlineNode node : tree.preorder()) {
        if (tree.name(node) == name)
            return node;
    }
    ADD_FAILURE() << "no item " << name.toStdString();
    return kOutlineRoot;
}

} // namespace

TEST(OutlineTree, RecordsRoundTripWithLevelsAsBuilt)
{
    // A first record at level 2 and a jump from 0 to 3 become roots and
    // children as the parent rule builds them; the levels written are depths.
    const OutlineTree tree = OutlineTree::fromRecords({{QStringLiteral("x"), 2, 0},
                                                       {QStringLiteral("a"), 0, kChapter},
                                                       {QStringLiteral("b"), 3, 0},
                                                       {QStringLiteral("c"), 1, 0x44},
                                                       {QStringLiteral("d"), 2, 0x88}});
    EXPECT_EQ(shape(tree), QStringList({"0:x", "0:a", "0:b", "1:c", "2:d"}));
    EXPECT_EQ(tree.references(), (std::vector<ItemReference>{0, kChapter, 0, 0x44, 0x88}));
    EXPECT_EQ(shape(OutlineTree::fromRecords(tree.records())), shape(tree));
    EXPECT_TRUE(OutlineTree::fromRecords({}).isEmpty());
}

TEST(OutlineTree, FourMovesAndTheirMissingNeighbours)
{
    struct Case
    {
        const char *item;
        OutlineMove move;
        bool moved;
        QStringList after;
    };
    const Case cases[] = {
        {"A2", OutlineMove::UpALevel, true, {"0:A2", "0:A", "1:A1", "1:A3", "0:B"}},
        {"A", OutlineMove::UpALevel, false, {}},
        {"A2", OutlineMove::Up, true, {"0:A", "1:A2", "1:A1", "1:A3", "0:B"}},
        {"A1", OutlineMove::Up, false, {}},
        {"A1", OutlineMove::Down, true, {"0:A", "1:A2", "1:A1", "1:A3", "0:B"}},
        {"A3", OutlineMove::Down, false, {}},
        {"A", OutlineMove::DownALevel, true, {"0:B", "1:A", "2:A1", "2:A2", "2:A3"}},
        {"A1", OutlineMove::DownALevel, false, {}}, // the next sibling carries a slide
        {"A2", OutlineMove::DownALevel, true, {"0:A", "1:A1", "1:A3", "2:A2", "0:B"}},
        {"B", OutlineMove::DownALevel, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        OutlineTree tree = sample();
        const QStringList before = shape(tree);
        EXPECT_EQ(tree.move(named(tree, QString::fromLatin1(c.item)), c.move), c.moved);
        EXPECT_EQ(shape(tree), c.moved ? c.after : before);
    }
}

TEST(OutlineTree, InsertByPlacementRenameAndDragMoves)
{
    OutlineTree tree = sample();
    const OutlineNode a2 = named(tree, QStringLiteral("A2"));
    tree.insert(tree.slotFor(a2, Placement::Before), QStringLiteral("before A2"), 0);
    tree.insert(tree.slotFor(named(tree, QStringLiteral("B")), Placement::LastChild), QStringLiteral("in B"), 0);
    tree.insert(tree.slotFor(std::nullopt, Placement::Before), QStringLiteral("end"), kChapter);
    tree.rename(a2, QStringLiteral("A2 new"));
    EXPECT_EQ(shape(tree),
              QStringList({"0:A", "1:A1", "1:before A2", "1:A2 new", "1:A3", "0:B", "1:in B", "0:end"}));

    // A drag into its own subtree, or onto itself, changes nothing.
    const OutlineNode a = named(tree, QStringLiteral("A"));
    const QStringList before = shape(tree);
    EXPECT_FALSE(tree.moveTo(a, named(tree, QStringLiteral("A1")), Placement::LastChild));
    EXPECT_FALSE(tree.moveTo(a, a, Placement::Before));
    EXPECT_EQ(shape(tree), before);
    EXPECT_TRUE(tree.moveTo(a, named(tree, QStringLiteral("in B")), Placement::Before));
    EXPECT_TRUE(tree.moveTo(named(tree, QStringLiteral("end")), std::nullopt, Placement::LastChild));
    EXPECT_EQ(shape(tree), QStringList({"0:B", "1:A", "2:A1", "2:before A2", "2:A2 new", "2:A3", "1:in B", "0:end"}));
}

TEST(OutlineTree, RemovedSubtreeComesBackWhereItWas)
{
    OutlineTree tree = sample();
    const QStringList before = shape(tree);
    const OutlineNode a = named(tree, QStringLiteral("A"));
    const OutlineNode a1 = named(tree, QStringLiteral("A1"));
    const OutlineSlot slot = tree.slotOf(a);
    tree.remove(a);
    EXPECT_EQ(shape(tree), QStringList({"0:B"}));
    EXPECT_FALSE(tree.contains(a));
    EXPECT_FALSE(tree.contains(a1));
    tree.place(a, slot);
    EXPECT_EQ(shape(tree), before);
    EXPECT_TRUE(tree.contains(a1));
}

TEST(OutlineTree, SavesAndLoadsThroughTheOutlineFile)
{
    testing_support::TempDataDir dir;
    const QString path = dir.file(QStringLiteral("Tree0000.pdl"));
    EXPECT_TRUE(OutlineTree::load(path).isEmpty()); // a missing outline is an empty one
    QString error;
    ASSERT_TRUE(sample().save(path, &error)) << error.toStdString();
    EXPECT_EQ(shape(OutlineTree::load(path)), shape(sample()));
    EXPECT_EQ(OutlineTree::load(path).references(), sample().references());
    // The hours and the form come back from the programme file beside it.
    OutlineTree seminar = sample();
    seminar.setForm(TrainingForm::Seminar);
    ASSERT_TRUE(seminar.save(path, &error));
    EXPECT_EQ(OutlineTree::load(path).records(), sample().records());
    EXPECT_EQ(OutlineTree::load(path).form(), TrainingForm::Seminar);
}

TEST(OutlineTree, HistoryEditsReplayOnAReloadedOutlineBothWays)
{
    struct Case
    {
        const char *what;
        std::function<std::pair<OutlineEdit, OutlineEdit>(OutlineTree &)> change; // made on the tree
    };
    const std::vector<Case> cases = {
        {"insert", [](OutlineTree &t) {
             return insertionEdits(t, t.insert(t.slotFor(named(t, QStringLiteral("A")), Placement::LastChild),
                                               QStringLiteral("new"), 0x30));
         }},
        {"remove a subtree", [](OutlineTree &t) {
             const auto edits = removalEdits(t, named(t, QStringLiteral("A")));
             t.remove(named(t, QStringLiteral("A")));
             return edits;
         }},
        {"rename", [](OutlineTree &t) {
             const OutlineNode a2 = named(t, QStringLiteral("A2"));
             const auto edits = renameEdits(t.pathOf(a2), QStringLiteral("A2"), QStringLiteral("renamed"));
             t.rename(a2, QStringLiteral("renamed"));
             return edits;
         }},
        {"hours and form", [](OutlineTree &t) {
             const OutlineNode a3 = named(t, QStringLiteral("A3"));
             const auto edits = planEdits(t, a3, PlannedHours{3, 1}, TrainingForm::Instruction);
             applyOutlineEdit(t, edits.first);
             return edits;
         }},
        {"move into a later sibling", [](OutlineTree &t) {
             const OutlineNode a = named(t, QStringLiteral("A"));
             const std::vector<int> from = t.pathOf(a);
             t.move(a, OutlineMove::DownALevel);
             return moveEdits(from, t.pathOf(a));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        OutlineTree changed = sample();
        const auto [forward, backward] = c.change(changed);
        // The history replays on the outline as read back from its file.
        OutlineTree replayed = OutlineTree::fromRecords(sample().records());
        ASSERT_TRUE(applyOutlineEdit(replayed, forward));
        EXPECT_EQ(replayed.records(), changed.records());
        EXPECT_EQ(replayed.form(), changed.form());
        ASSERT_TRUE(applyOutlineEdit(replayed, backward));
        EXPECT_EQ(replayed.records(), sample().records());
        EXPECT_EQ(replayed.form(), TrainingForm::Course);
    }
    // An edit that does not fit the outline changes nothing.
    OutlineTree tree = sample();
    EXPECT_FALSE(applyOutlineEdit(tree, {OutlineEdit::Kind::Remove, {7}, {}, {}, {}}));
    EXPECT_FALSE(applyOutlineEdit(tree, {OutlineEdit::Kind::Move, {0}, {0, 9}, {}, {}}));
    EXPECT_EQ(tree.records(), sample().records());
}
