// marbelo-tool outline shows the outline exactly as the window does.

#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "support/Tool.h"
#include "support/ui/MainWindowFixture.h"

#include <QAction>

using namespace marbelo;
using namespace testing_support;

namespace {

// LEVEL TAB REFERENCE TAB NAME of every node, as the tool prints them.
QString windowOutline(const PaneTree *tree)
{
    QString out;
    for (const QTreeWidgetItem *item : tree->flatItems()) {
        int level = 0;
        for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            ++level;
        const QString hex = QString::number(PaneTree::referenceOf(item), 16).toUpper().rightJustified(8, u'0');
        out += QStringLiteral("%1\t0x%2\t%3\n").arg(level).arg(hex, item->text(0));
    }
    return out;
}

class OutlineToolTest : public MainWindowTest
{
};

} // namespace

TEST_F(OutlineToolTest, ToolAndWindowAgreeAfterEachMove)
{
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Szkolenie"), 0, 0}).has_value());
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)),
                            {{QStringLiteral("Rozdział"), 0, 0x40000000},
                             {QStringLiteral("Dział A"), 1, 0},
                             {QStringLiteral("Temat"), 2, 0x1C},
                             {QStringLiteral("Dział B"), 1, 0},
                             {QStringLiteral("Skok"), 4, 0}},
                            &error));
    open();
    PaneTree *outline = outlineTree();
    auto agree = [&] {
        const ToolResult tool = runTool({"outline", dir.path(), "0"});
        ASSERT_EQ(tool.exitCode, 0);
        EXPECT_EQ(tool.out, windowOutline(outline));
    };
    agree();
    outline->expandAll();
    clickItem(outline, outline->topLevelItem(0)->child(1)); // "Dział B"
    for (Command move : {Command::MoveItemUp, Command::MoveItemBottom, Command::MoveItemTop}) {
        ASSERT_TRUE(window->entries(move).mainMenu->isEnabled());
        window->entries(move).mainMenu->trigger();
        agree();
    }
}
