// Search and find next in the main window: the find dialog answered by a
// script, the hit shown in the list and tree, the search state and messages.

#include "common/ui/PaneWidgets.h"
#include "support/ui/MainWindowFixture.h"
#include "topics/ui/PreviewWidgets.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <map>
#include <tuple>

using namespace marbelo;
using namespace testing_support;

namespace {

const QString kNotFound = QStringLiteral("Nieznaleziono wystąpienia poszukiwanego zwrotu.");
const QString kFinished = QStringLiteral("Zakończono przeszukiwanie tematów.");

// Four lines (list order = file order here), ten nodes each in two levels:
// nodes 0 and 5 are roots, the others lie under them, node 3 one level deeper.
class SearchTest : public MainWindowTest
{
protected:
    static constexpr int kNodes = 10;

    void writeLine(int row, const QString &title, const std::map<int, QString> &names = {})
    {
        static const char *const depths[kNodes] = {"0", "1", "1", "2", "1", "0", "1", "1", "1", "1"};
        std::vector<TopicRecordSource> records;
        for (int j = 0; j < kNodes; ++j) {
            const auto named = names.find(j);
            const QString name = named != names.end() ? named->second
                                                      : QStringLiteral("Węzeł %1 tematu %2").arg(j).arg(row);
            records.push_back(topicRecord(depths[j], "0", "0", name));
        }
        writeTopicFile(dir.file(QStringLiteral("%1.mdl").arg(row)), title, records);
    }

    void writeLibrary(const std::map<int, std::map<int, QString>> &names = {}, const QString &line2 = {},
                      const QString &line3 = {})
    {
        const QString titles[4] = {QStringLiteral("Apteczka"), QStringLiteral("Biuro"),
                                   line2.isEmpty() ? QStringLiteral("Czynniki") : line2,
                                   line3.isEmpty() ? QStringLiteral("Drabiny") : line3};
        for (int row = 0; row < 4; ++row) {
            const auto found = names.find(row);
            writeLine(row, titles[row], found != names.end() ? found->second : std::map<int, QString>());
        }
    }

    // Opens "Szukaj" from the menu and answers the dialog with the phrase.
    void search(const QString &phrase, QString *prefilled = nullptr)
    {
        whenModalShows([phrase, prefilled](QWidget *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("QelFindEdit"));
            auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("QelFindOkButton"));
            ASSERT_TRUE(edit && ok);
            if (prefilled)
                *prefilled = edit->text();
            edit->setText(phrase);
            ok->click();
        });
        window->entries(Command::Find).mainMenu->trigger();
    }

    void findNext() { window->entries(Command::FindNext).mainMenu->trigger(); }

    bool findNextEnabled() const { return window->entries(Command::FindNext).mainMenu->isEnabled(); }

    int selectedNode() const
    {
        const QList<QTreeWidgetItem *> selected = moduleTree()->selectedItems();
        return selected.isEmpty() ? -1 : moduleTree()->flatIndexOf(selected.first());
    }

    QTreeWidgetItem *node(int flatIndex) const { return moduleTree()->flatItems().value(flatIndex); }

    bool ancestorsExpanded(const QTreeWidgetItem *item) const
    {
        for (const QTreeWidgetItem *up = item->parent(); up; up = up->parent()) {
            if (!up->isExpanded())
                return false;
        }
        return true;
    }

    void expectSearchState(bool active, int moduleIndex, int nodeIndex, const QString &text)
    {
        EXPECT_EQ(window->topicLibrary().searchState().findActive, active);
        EXPECT_EQ(window->topicLibrary().searchState().findModuleIndex, moduleIndex);
        EXPECT_EQ(window->topicLibrary().searchState().findNodeIndex, nodeIndex);
        EXPECT_EQ(window->topicLibrary().searchState().findText, text);
        EXPECT_EQ(findNextEnabled(), active);
    }
};

} // namespace

TEST_F(SearchTest, TitleHitOnLineTwoThenFindNextGoesToLineThreesTitleSkippingItsNodes)
{
    writeLibrary({{2, {{5, QStringLiteral("znak w węźle")}}}}, QStringLiteral("Czynniki ZNAKU"),
                 QStringLiteral("Drabiny – znaki"));
    open();
    search(QStringLiteral("znak"));
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(moduleList()->item(2)->isSelected());
    EXPECT_EQ(moduleTree()->flatItems().size(), kNodes); // rebuilt
    EXPECT_EQ(selectedNode(), -1);
    EXPECT_TRUE((window->focusWidget() == moduleList()));
    expectSearchState(true, 3, 0, QStringLiteral("ZNAK"));

    findNext();
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(moduleList()->item(3)->isSelected());
    EXPECT_EQ(selectedNode(), -1);
    // The last line's title: nothing further can be found.
    expectSearchState(false, 0, 0, QStringLiteral("ZNAK"));
}

TEST_F(SearchTest, NodeHitSelectsTheNodeWithItsAncestorsOpenAndFindNextResumesAfterIt)
{
    writeLibrary({{0, {{3, QStringLiteral("Szukany w głębi")}, {8, QStringLiteral("drugi SZUKANY")}}},
                  {1, {{1, QStringLiteral("szukany w linii 1")}}}});
    open();
    const bool titlesShown = child<QWidget>("Qel3DLabel2")->isVisible();
    clickLine(moduleList(), 2);
    search(QStringLiteral("szukany"));
    EXPECT_TRUE(moduleList()->item(0)->isSelected());
    EXPECT_EQ(selectedNode(), 3);
    ASSERT_NE(node(3), nullptr);
    EXPECT_TRUE(ancestorsExpanded(node(3)));
    EXPECT_TRUE((window->focusWidget() == moduleTree()));
    expectSearchState(true, 0, 4, QStringLiteral("SZUKANY"));
    // The preview pane is left alone.
    EXPECT_FALSE(window->slidePreview().slideShown());
    EXPECT_EQ(child<QWidget>("Qel3DLabel2")->isVisible(), titlesShown);

    findNext();
    EXPECT_TRUE(moduleList()->item(0)->isSelected());
    EXPECT_EQ(selectedNode(), 8);
    EXPECT_TRUE(ancestorsExpanded(node(8)));
    expectSearchState(true, 0, 9, QStringLiteral("SZUKANY"));

    findNext();
    EXPECT_TRUE(moduleList()->item(1)->isSelected());
    EXPECT_EQ(selectedNode(), 1);
    expectSearchState(true, 1, 2, QStringLiteral("SZUKANY"));
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(SearchTest, NodeFiveOfTenOnLineZeroSetsIndicesZeroAndSix)
{
    writeLibrary({{0, {{5, QStringLiteral("Ochrona przed POŻAREM")}}}});
    open();
    search(QStringLiteral("pożar"));
    EXPECT_EQ(moduleList()->currentRow(), 0);
    EXPECT_EQ(selectedNode(), 5);
    EXPECT_EQ(moduleTree()->currentItem(), node(5));
    EXPECT_TRUE(node(5)->isExpanded());
    expectSearchState(true, 0, 6, QStringLiteral("POŻAR"));
}

TEST_F(SearchTest, HitOnTheLastNodeOfTheLastLineEndsTheSearchAndPrefillsTheNextOne)
{
    writeLibrary({{3, {{kNodes - 1, QStringLiteral("Ostatni węzeł")}}}});
    open();
    search(QStringLiteral("ostatni węzeł"));
    EXPECT_TRUE(moduleList()->item(3)->isSelected());
    EXPECT_EQ(selectedNode(), kNodes - 1);
    // The line stays recorded; only the active mark ends the search.
    expectSearchState(false, 3, 0, QStringLiteral("OSTATNI WĘZEŁ"));

    QString prefilled;
    search(QStringLiteral("apteczka"), &prefilled);
    EXPECT_EQ(prefilled, QStringLiteral("OSTATNI WĘZEŁ"));
    EXPECT_TRUE(moduleList()->item(0)->isSelected()); // a new search starts at line 0
    expectSearchState(true, 1, 0, QStringLiteral("APTECZKA"));
}

TEST_F(SearchTest, FindNextAfterTheLastHitWalksOnAndReportsTheEnd)
{
    writeLibrary({{1, {{2, QStringLiteral("jedyne trafienie")}}}});
    open();
    search(QStringLiteral("trafienie"));
    ASSERT_EQ(selectedNode(), 2);
    expectSearchState(true, 1, 3, QStringLiteral("TRAFIENIE"));

    findNext();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].kind, QStringLiteral("information"));
    EXPECT_EQ(messages.calls[0].text, kFinished);
    expectSearchState(false, 0, 0, QString());
    // Left where the walk ended: the last line, its last node.
    EXPECT_TRUE(moduleList()->item(3)->isSelected());
    EXPECT_EQ(moduleTree()->flatItems().size(), kNodes);
    EXPECT_EQ(selectedNode(), kNodes - 1);
    EXPECT_TRUE(ancestorsExpanded(node(kNodes - 1)));
    EXPECT_TRUE(window->entries(Command::Find).mainMenu->isEnabled());
}

TEST_F(SearchTest, FindNextEndingOnAnEmptyTreeSelectsNoNode)
{
    writeLibrary({{1, {{2, QStringLiteral("jedyne trafienie")}}}});
    writeTopicFile(dir.file(QStringLiteral("3.mdl")), QStringLiteral("Drabiny"), {});
    open();
    search(QStringLiteral("trafienie"));
    findNext();
    EXPECT_EQ(messages.texts(), QStringList({kFinished}));
    EXPECT_TRUE(moduleList()->item(3)->isSelected());
    EXPECT_EQ(moduleTree()->topLevelItemCount(), 0);
    EXPECT_EQ(selectedNode(), -1);
}

TEST_F(SearchTest, APhraseFoundNowhereRestoresTheSelectionAndSaysSo)
{
    writeLibrary();
    open();
    clickLine(moduleList(), 1);
    moduleTree()->expandAll();
    clickItem(moduleTree(), node(3));
    ASSERT_EQ(selectedNode(), 3);

    search(QStringLiteral("nigdzie"));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, kNotFound);
    EXPECT_TRUE(moduleList()->item(1)->isSelected());
    EXPECT_EQ(selectedNode(), 3);
    EXPECT_TRUE((window->focusWidget() == moduleList()));
    expectSearchState(false, 0, 0, QString());
    EXPECT_EQ(window->topicLibrary().searchState().savedModuleIndex, 1);
    EXPECT_EQ(window->topicLibrary().searchState().savedNodeIndex, 3);
}

TEST_F(SearchTest, APhraseFoundNowhereWithNoNodeSelectedRestoresNone)
{
    writeLibrary();
    open();
    clickLine(moduleList(), 2);
    search(QStringLiteral(" apteczka")); // the leading blank is part of the phrase
    EXPECT_EQ(messages.texts(), QStringList({kNotFound}));
    EXPECT_TRUE(moduleList()->item(2)->isSelected());
    EXPECT_EQ(selectedNode(), -1);
    EXPECT_EQ(window->topicLibrary().searchState().savedNodeIndex, -1);
}

TEST_F(SearchTest, BlanksOnlyKeepSzukajDisabled)
{
    writeLibrary();
    open();
    bool enabledForBlanks = true, enabledForText = false;
    whenModalShows([&](QWidget *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("QelFindEdit"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("QelFindOkButton"));
        QTest::keyClicks(edit, QStringLiteral("   "));
        enabledForBlanks = ok->isEnabled();
        QTest::keyClick(edit, Qt::Key_Return); // the default button is disabled: nothing happens
        edit->setText(QStringLiteral(" a "));
        enabledForText = ok->isEnabled();
        edit->setText(QStringLiteral("\t "));
        ok->click();
        EXPECT_TRUE(dialog->isVisible());
        dialog->findChild<QPushButton *>(QStringLiteral("QelFindCancelButton"))->click();
    });
    window->entries(Command::Find).mainMenu->trigger();
    EXPECT_FALSE(enabledForBlanks);
    EXPECT_TRUE(enabledForText);
    EXPECT_TRUE(messages.calls.empty());
    expectSearchState(false, 0, 0, QString());
}

TEST_F(SearchTest, CancelByButtonOrEscChangesNothing)
{
    const std::vector<std::pair<const char *, std::function<void(QWidget *)>>> ways = {
        {"Anuluj",
         [](QWidget *d) { d->findChild<QPushButton *>(QStringLiteral("QelFindCancelButton"))->click(); }},
        {"Esc", [](QWidget *d) { QTest::keyClick(d->findChild<QLineEdit *>(QStringLiteral("QelFindEdit")), Qt::Key_Escape); }},
    };
    writeLibrary({{0, {{5, QStringLiteral("pożar")}}}, {2, {{1, QStringLiteral("pożar")}}}});
    open();
    search(QStringLiteral("pożar"));
    ASSERT_EQ(selectedNode(), 5);
    const TopicSearchState before = window->topicLibrary().searchState();
    for (const auto &[name, close] : ways) {
        SCOPED_TRACE(name);
        whenModalShows([&close](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("QelFindEdit"))->setText(QStringLiteral("inny"));
            close(dialog);
        });
        window->entries(Command::Find).mainMenu->trigger();
        EXPECT_TRUE(messages.calls.empty());
        EXPECT_EQ(moduleList()->currentRow(), 0);
        EXPECT_EQ(selectedNode(), 5);
        EXPECT_TRUE(ancestorsExpanded(node(5)));
        expectSearchState(before.findActive, before.findModuleIndex, before.findNodeIndex, before.findText);
        EXPECT_EQ(window->topicLibrary().searchState().savedModuleIndex, before.savedModuleIndex);
        EXPECT_EQ(window->topicLibrary().searchState().savedNodeIndex, before.savedNodeIndex);
        EXPECT_TRUE(window->entries(Command::Find).mainMenu->isEnabled());
    }
    findNext(); // the search state is intact
    EXPECT_EQ(moduleList()->currentRow(), 2);
    EXPECT_EQ(selectedNode(), 1);
}
