// The outline editing commands through the window: the new-item dialog's
// set-up and placements, rename, the four moves and the two-question delete.

#include "store/ItemReference.h"
#include "store/SlideBlocks.h"
#include "support/ui/OutlineFixture.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>

using namespace marbelo;
using namespace testing_support;

namespace {

const std::vector<OutlineRecord> kOutline = {
    {QStringLiteral("R1"), 0, 0x40000000}, {QStringLiteral("D1"), 1, 0},   {QStringLiteral("P1"), 2, 0},
    {QStringLiteral("P2"), 2, 0},          {QStringLiteral("D2"), 1, 0},   {QStringLiteral("R2"), 0, 0x40000000},
    {QStringLiteral("D3"), 1, 0},
};

class OutlineCommandsTest : public OutlineWindowTest
{
protected:
    void SetUp() override { makeTraining(kOutline); }

    void reopenWith(const std::vector<OutlineRecord> &records)
    {
        QString error;
        ASSERT_TRUE(saveOutline(outlinePath(), records, &error));
        messages.calls.clear();
        open();
    }

    void run(Command command) { window->entries(command).mainMenu->trigger(); }

    static QRadioButton *radio(QWidget *form, int n)
    {
        return form->findChild<QRadioButton *>(QStringLiteral("QelNewView%1RadioButton").arg(n));
    }
};

} // namespace

TEST_F(OutlineCommandsTest, NewItemDialogOffersWhatTheOutlineAllows)
{
    struct Case
    {
        const char *name;
        std::vector<OutlineRecord> outline;
        const char *selected; // null: none
        int checked;           // 1 chapter, 2 section
        bool subsectionEnabled;
    };
    const std::vector<Case> cases = {
        {"empty outline", {}, nullptr, 1, false},
        {"chapter selected", kOutline, "R1", 2, false},
        {"section selected", kOutline, "D1", 2, true},
        {"items, none selected", kOutline, nullptr, 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reopenWith(c.outline);
        if (c.selected)
            selectItem(QString::fromUtf8(c.selected));
        const QByteArray before = readFile(outlinePath());
        bool seen = false;
        whenModalShows([&](QWidget *form) {
            seen = true;
            EXPECT_FALSE(window->mainMenus()[3]->menuAction()->isEnabled());
            EXPECT_TRUE(radio(form, 1)->isEnabled());
            EXPECT_TRUE(radio(form, 2)->isEnabled());
            EXPECT_EQ(radio(form, 3)->isEnabled(), c.subsectionEnabled);
            EXPECT_EQ(radio(form, c.checked)->isChecked(), true);
            EXPECT_TRUE(form->findChild<QLineEdit *>(QStringLiteral("QelNewViewNameEdit"))->text().isEmpty());
            form->findChild<QPushButton *>(QStringLiteral("QelNewViewCancelButton"))->click();
        });
        run(Command::NewItem);
        EXPECT_TRUE(seen);
        EXPECT_EQ(readFile(outlinePath()), before) << "a cancelled dialog saves nothing";
        EXPECT_TRUE(window->mainMenus()[3]->menuAction()->isEnabled());
    }
}

TEST_F(OutlineCommandsTest, NewItemPlacementTable)
{
    struct Case
    {
        const char *name;
        std::vector<OutlineRecord> outline;
        const char *selected;
        int choice;
        QStringList shape;
        ItemReference reference;
    };
    const std::vector<Case> cases = {
        {"first chapter", {}, nullptr, 1, {"0:Nowa"}, 0x40000000},
        {"first section", {}, nullptr, 2, {"0:Nowa"}, 0},
        {"chapter after a top-level item",
         kOutline, "R1", 1, {"0:R1", "1:D1", "2:P1", "2:P2", "1:D2", "0:R2", "1:D3", "0:Nowa"}, 0x40000000},
        {"section after a top-level item",
         kOutline, "R2", 2, {"0:R1", "1:D1", "2:P1", "2:P2", "1:D2", "0:R2", "1:D3", "0:Nowa"}, 0},
        {"subsection of a section",
         kOutline, "D1", 3, {"0:R1", "1:D1", "2:P1", "2:P2", "2:Nowa", "1:D2", "0:R2", "1:D3"}, 0},
        {"chapter below the top level keeps its flag",
         kOutline, "D1", 1, {"0:R1", "1:D1", "2:P1", "2:P2", "1:D2", "1:Nowa", "0:R2", "1:D3"}, 0x40000000},
        {"section at level 2 goes to the parent's end",
         kOutline, "P1", 2, {"0:R1", "1:D1", "2:P1", "2:P2", "2:Nowa", "1:D2", "0:R2", "1:D3"}, 0},
        {"nothing selected: end of the top level",
         kOutline, nullptr, 2, {"0:R1", "1:D1", "2:P1", "2:P2", "1:D2", "0:R2", "1:D3", "0:Nowa"}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reopenWith(c.outline);
        if (c.selected)
            selectItem(QString::fromUtf8(c.selected));
        whenModalShows([&](QWidget *form) {
            QTest::keyClicks(form->findChild<QLineEdit *>(QStringLiteral("QelNewViewNameEdit")),
                             QStringLiteral("Nowa"));
            radio(form, c.choice)->click();
            form->findChild<QPushButton *>(QStringLiteral("QelNewViewOkButton"))->click();
        });
        run(Command::NewItem);
        EXPECT_EQ(treeShape(outline()), c.shape);
        EXPECT_EQ(fileShape(), c.shape);
        QTreeWidgetItem *created = item(QStringLiteral("Nowa"));
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(PaneTree::referenceOf(created), c.reference);
        EXPECT_TRUE(created->isSelected());
        EXPECT_TRUE(created->isExpanded());
        EXPECT_TRUE(messages.calls.empty());
    }
}

TEST_F(OutlineCommandsTest, RenameStoresTheNameAsTyped)
{
    open();
    selectItem(QStringLiteral("D2"));
    whenModalShows([](QWidget *form) {
        auto *edit = form->findChild<QLineEdit *>(QStringLiteral("QelCorectViewNameEdit"));
        EXPECT_EQ(edit->text(), QStringLiteral("D2"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("  Dzial drugi "));
        form->findChild<QPushButton *>(QStringLiteral("QelCorectViewOkButton"))->click();
    });
    run(Command::RenameItem);
    QTreeWidgetItem *renamed = outline()->flatItems().at(4);
    EXPECT_EQ(renamed->text(0), QStringLiteral("  Dzial drugi "));
    EXPECT_EQ(PaneTree::referenceOf(renamed), 0u);
    EXPECT_EQ(fileShape(), treeShape(outline()));
}

TEST_F(OutlineCommandsTest, MovesFollowTheirTable)
{
    struct Case
    {
        const char *name;
        Command command;
        const char *selected;
        QStringList shape;
        const char *newParent; // null: top level
    };
    const std::vector<Case> cases = {
        {"up a level", Command::MoveItemTop, "P2", {"0:R1", "1:P2", "1:D1", "2:P1", "1:D2", "0:R2", "1:D3"}, "R1"},
        {"up a level from the top", Command::MoveItemTop, "D1",
         {"0:D1", "1:P1", "1:P2", "0:R1", "1:D2", "0:R2", "1:D3"}, nullptr},
        {"up", Command::MoveItemUp, "D2", {"0:R1", "1:D2", "1:D1", "2:P1", "2:P2", "0:R2", "1:D3"}, "R1"},
        {"down at the top level", Command::MoveItemDown, "R1",
         {"0:R2", "1:D3", "0:R1", "1:D1", "2:P1", "2:P2", "1:D2"}, nullptr},
        {"down from the last but one", Command::MoveItemDown, "P1",
         {"0:R1", "1:D1", "2:P2", "2:P1", "1:D2", "0:R2", "1:D3"}, "D1"},
        {"down a level", Command::MoveItemBottom, "D1", {"0:R1", "1:D2", "2:D1", "3:P1", "3:P2", "0:R2", "1:D3"},
         "D2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reopenWith(kOutline);
        selectItem(QString::fromUtf8(c.selected));
        ASSERT_TRUE(window->entries(c.command).mainMenu->isEnabled());
        run(c.command);
        EXPECT_EQ(treeShape(outline()), c.shape);
        EXPECT_EQ(fileShape(), c.shape);
        QTreeWidgetItem *moved = item(QString::fromUtf8(c.selected));
        EXPECT_TRUE(moved->isSelected());
        EXPECT_FALSE(moved->isExpanded());
        if (c.newParent) {
            ASSERT_NE(moved->parent(), nullptr);
            EXPECT_EQ(moved->parent()->text(0), QString::fromUtf8(c.newParent));
            EXPECT_TRUE(moved->parent()->isExpanded());
        } else {
            EXPECT_EQ(moved->parent(), nullptr);
        }
        EXPECT_TRUE(outline()->updatesEnabled());
    }
}

TEST_F(OutlineCommandsTest, UpALevelFromAnOnlyChildLeavesTheParentWithoutChildren)
{
    reopenWith({{QStringLiteral("R1"), 0, 0x40000000}, {QStringLiteral("D1"), 1, 0}});
    selectItem(QStringLiteral("D1"));
    run(Command::MoveItemTop);
    EXPECT_EQ(treeShape(outline()), QStringList({"0:D1", "0:R1"}));
    EXPECT_EQ(item(QStringLiteral("R1"))->childCount(), 0);
    // The command states follow the move: D1 now has no parent.
    EXPECT_FALSE(window->entries(Command::MoveItemTop).mainMenu->isEnabled());
    EXPECT_FALSE(window->entries(Command::MoveItemUp).mainMenu->isEnabled());
    EXPECT_TRUE(window->entries(Command::MoveItemDown).mainMenu->isEnabled());
}

TEST_F(OutlineCommandsTest, DeleteAsksTwiceForASubtreeAndOnlyYesRemoves)
{
    struct Case
    {
        const char *name;
        const char *selected;
        std::vector<bool> answers; // true: "Tak"
        int questions;
        QStringList shape;
    };
    const QStringList unchanged = {"0:R1", "1:D1", "2:P1", "2:P2", "1:D2", "0:R2", "1:D3"};
    const std::vector<Case> cases = {
        {"no to the first", "D1", {false}, 1, unchanged},
        {"no to the second", "D1", {true, false}, 2, unchanged},
        {"closed second question", "D1", {true, false}, 2, unchanged},
        {"yes to both", "D1", {true, true}, 2, {"0:R1", "1:D2", "0:R2", "1:D3"}},
        {"a leaf asks once", "P2", {true}, 1, {"0:R1", "1:D1", "2:P1", "1:D2", "0:R2", "1:D3"}},
    };
    writeFile(storePath(), QByteArray("QUOX") + blockBytes("slide"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reopenWith(kOutline);
        selectItem(QString::fromUtf8(c.selected));
        const QByteArray before = readFile(outlinePath());
        messages.answers.assign(c.answers.begin(), c.answers.end());
        run(Command::DeleteItem);
        ASSERT_EQ(static_cast<int>(messages.calls.size()), c.questions);
        EXPECT_EQ(messages.calls[0].kind, QStringLiteral("confirmation"));
        EXPECT_EQ(messages.calls[0].text,
                  QStringLiteral("Czy jesteś pewien, że chcesz usunąć tę pozycję z prezentacji?"));
        EXPECT_EQ(messages.calls[0].defaultAnswer, DefaultAnswer::No);
        if (c.questions == 2) {
            EXPECT_EQ(messages.calls[1].text,
                      QStringLiteral("Wybrana pozycja posiada podpozycje. Czy jesteś pewien, że chcesz usunąć tę "
                                     "pozycję z prezentacji wraz z podpozycjami?"));
            EXPECT_EQ(messages.calls[1].defaultAnswer, DefaultAnswer::Yes);
        }
        EXPECT_EQ(treeShape(outline()), c.shape);
        EXPECT_EQ(fileShape(), c.shape);
        if (c.shape == unchanged) {
            EXPECT_EQ(readFile(outlinePath()), before);
        }
        EXPECT_EQ(readFile(storePath()), QByteArray("QUOX") + blockBytes("slide"));
        EXPECT_TRUE(window->mainMenus()[3]->menuAction()->isEnabled());
    }
}
