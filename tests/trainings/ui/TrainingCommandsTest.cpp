// The training list and the four training commands, driven through the window.

#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/SlideBlocks.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace marbelo;
using namespace testing_support;

namespace {

class TrainingCommandsTest : public MainWindowTest
{
protected:
    int addTraining(const QString &name, int type = 0, bool live = true)
    {
        const auto number = appendTrainingRecord(dir.path(), {name, type, live ? 0 : -1});
        EXPECT_TRUE(number.has_value());
        createTrainingFiles(dir.path(), *number);
        return *number;
    }

    // Answers the next training dialog: a new name (or none to keep it), a
    // type (-1 to keep it), then OK or Cancel.
    void answerForm(const QString &editName, const QString &name, int type, const QString &okText)
    {
        whenModalShows([=](QWidget *form) {
            auto *edit = form->findChild<QLineEdit *>(editName);
            ASSERT_NE(edit, nullptr);
            if (!name.isNull()) {
                edit->selectAll();
                QTest::keyClicks(edit, name);
            }
            if (type >= 0) {
                auto *box = form->findChild<QComboBox *>();
                box->setCurrentIndex(type);
            }
            buttonWithText(form, okText)->click();
        });
    }

    int selectedNumber() const
    {
        const auto selected = trainingList()->selectedItems();
        return selected.isEmpty() ? -1 : selected.first()->data(kItemNumberRole).toInt();
    }
};

} // namespace

TEST_F(TrainingCommandsTest, ListShowsLiveTrainingsSortedAndLoadsTheFirstOutline)
{
    addTraining(QStringLiteral("Beta"));
    addTraining(QStringLiteral("Gamma"), 0, false);
    addTraining(QStringLiteral("Alfa"));
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(2)), {{QStringLiteral("Rozdział Alfy"), 0, 0x40000000}}, &error));
    open();
    EXPECT_EQ(listTexts(trainingList()), QStringList({"Alfa", "Beta"}));
    EXPECT_EQ(selectedNumber(), 2);
    EXPECT_EQ(treeShape(outlineTree()), QStringList({"0:Rozdział Alfy"}));
    pressKey(trainingList(), Qt::Key_Down);
    EXPECT_EQ(selectedNumber(), 0);
    EXPECT_EQ(outlineTree()->topLevelItemCount(), 0);
}

TEST_F(TrainingCommandsTest, NewTrainingGetsTheNextNumberAndEmptyFiles)
{
    addTraining(QStringLiteral("A"));
    addTraining(QStringLiteral("B"), 0, false);
    addTraining(QStringLiteral("C"));
    open();
    answerForm(QStringLiteral("QelNewProjectNameEdit"), QStringLiteral("  Nowe BHP  "), 3, QStringLiteral("Utwórz"));
    window->entries(Command::NewTraining).mainMenu->trigger();
    EXPECT_EQ(selectedNumber(), 3);
    EXPECT_EQ(trainingList()->selectedItems().first()->text(), QStringLiteral("  Nowe BHP  "));
    EXPECT_EQ(readFile(dir.file(QStringLiteral("Tree0003.pdl"))).size(), 0);
    EXPECT_EQ(readFile(dir.file(QStringLiteral("Data0003.pdl"))).size(), 0);
    TrainingRecord stored;
    ASSERT_TRUE(readTrainingRecord(dir.path(), 3, &stored));
    EXPECT_EQ(stored.name, QStringLiteral("  Nowe BHP  "));
    EXPECT_EQ(stored.type, 3);
    EXPECT_EQ(window->focusWidget(), trainingList());
}

TEST_F(TrainingCommandsTest, CancelChangesNothing)
{
    addTraining(QStringLiteral("A"));
    open();
    const QByteArray before = readFile(dir.file(kCatalogueName));
    for (Command c : {Command::NewTraining, Command::NewTrainingFrom, Command::RenameTraining}) {
        whenModalShows([](QWidget *form) { buttonWithText(form, QStringLiteral("Anuluj"))->click(); });
        window->entries(c).mainMenu->trigger();
    }
    messages.answers = {false};
    window->entries(Command::DeleteTraining).mainMenu->trigger();
    EXPECT_EQ(readFile(dir.file(kCatalogueName)), before);
    EXPECT_EQ(listTexts(trainingList()), QStringList({"A"}));
    EXPECT_EQ(selectedNumber(), 0);
}

TEST_F(TrainingCommandsTest, NewFromCopiesTheOutlineAndSlidesAndEditingTheCopyLeavesTheSource)
{
    addTraining(QStringLiteral("Źródło"), 4);
    ASSERT_TRUE(appendSlideBlock(dir.file(imageStoreFileName(0)), "coded slide").has_value());
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)),
                            {{QStringLiteral("Dział"), 0, 0}, {QStringLiteral("Temat"), 1, 4}}, &error));
    open();
    whenModalShows([](QWidget *form) {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Nowe szkolenie od ..."));
        EXPECT_EQ(form->findChild<QLineEdit *>("QelNewProjectFromNameEdit")->text(), QStringLiteral("Źródło"));
        EXPECT_EQ(form->findChild<QComboBox *>()->currentIndex(), 4);
        auto *edit = form->findChild<QLineEdit *>("QelNewProjectFromNameEdit");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Kopia"));
        buttonWithText(form, QStringLiteral("Utwórz"))->click();
    });
    window->entries(Command::NewTrainingFrom).mainMenu->trigger();
    EXPECT_EQ(selectedNumber(), 1);
    EXPECT_EQ(treeShape(outlineTree()), QStringList({"0:Dział", "1:Temat"}));
    EXPECT_EQ(readFile(dir.file(imageStoreFileName(1))), readFile(dir.file(imageStoreFileName(0))));
    TrainingRecord copy;
    ASSERT_TRUE(readTrainingRecord(dir.path(), 1, &copy));
    EXPECT_EQ(copy.type, 4);

    // Editing the copy's outline leaves the source's files alone.
    const QByteArray sourceTree = readFile(dir.file(outlineFileName(0)));
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(1)), {{QStringLiteral("Inny"), 0, 0}}, &error));
    ASSERT_TRUE(appendSlideBlock(dir.file(imageStoreFileName(1)), "more").has_value());
    EXPECT_EQ(readFile(dir.file(outlineFileName(0))), sourceTree);
    EXPECT_EQ(readFile(dir.file(imageStoreFileName(0))).size(), 4 + 4 + 11);
}

TEST_F(TrainingCommandsTest, RenameToTheSameNameOrOnlyTheTypeRewritesInPlace)
{
    addTraining(QStringLiteral("Alfa"), 1);
    addTraining(QStringLiteral("Beta"), 2);
    open();
    answerForm(QStringLiteral("QelCorectProjectNameEdit"), QString(), 5, QStringLiteral("Popraw"));
    window->entries(Command::RenameTraining).mainMenu->trigger();
    EXPECT_EQ(listTexts(trainingList()), QStringList({"Alfa", "Beta"}));
    EXPECT_EQ(selectedNumber(), 0);
    TrainingRecord r;
    ASSERT_TRUE(readTrainingRecord(dir.path(), 0, &r));
    EXPECT_EQ(r.type, 5);
    EXPECT_EQ(readFile(dir.file(kCatalogueName)).size(), 2 * 137);

    answerForm(QStringLiteral("QelCorectProjectNameEdit"), QStringLiteral("Zeta"), -1, QStringLiteral("Popraw"));
    window->entries(Command::RenameTraining).mainMenu->trigger();
    EXPECT_EQ(listTexts(trainingList()), QStringList({"Beta", "Zeta"}));
    EXPECT_EQ(selectedNumber(), 0);
    ASSERT_TRUE(readTrainingRecord(dir.path(), 0, &r));
    EXPECT_EQ(r.name, QStringLiteral("Zeta"));
    EXPECT_EQ(r.type, 5);
}

TEST_F(TrainingCommandsTest, RenameKeepsAStoredTypeOutsideTheTableWhenNoneIsChosen)
{
    addTraining(QStringLiteral("Dziwny"), 9);
    open();
    answerForm(QStringLiteral("QelCorectProjectNameEdit"), QStringLiteral("Poprawiony"), -1, QStringLiteral("Popraw"));
    window->entries(Command::RenameTraining).mainMenu->trigger();
    TrainingRecord r;
    ASSERT_TRUE(readTrainingRecord(dir.path(), 0, &r));
    EXPECT_EQ(r.name, QStringLiteral("Poprawiony"));
    EXPECT_EQ(r.type, 9);
}

TEST_F(TrainingCommandsTest, DeleteSelectsTheLineAboveOrNothingForTheFirst)
{
    for (const char *name : {"A", "B", "C", "D"})
        addTraining(QString::fromLatin1(name));
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(1)), {{QStringLiteral("z B"), 0, 0}}, &error));
    open();

    clickLine(trainingList(), 2); // middle: C
    messages.answers = {true};
    window->entries(Command::DeleteTraining).mainMenu->trigger();
    ASSERT_FALSE(messages.calls.empty());
    EXPECT_EQ(messages.calls.back().text, QStringLiteral("Czy jesteś pewien, że chcesz usunąć to szkolenie?"));
    EXPECT_EQ(messages.calls.back().defaultAnswer, DefaultAnswer::No);
    EXPECT_EQ(listTexts(trainingList()), QStringList({"A", "B", "D"}));
    EXPECT_EQ(selectedNumber(), 1);
    EXPECT_EQ(treeShape(outlineTree()), QStringList({"0:z B"}));

    clickLine(trainingList(), 2); // last: D
    messages.answers = {true};
    window->entries(Command::DeleteTraining).mainMenu->trigger();
    EXPECT_EQ(selectedNumber(), 1);

    clickLine(trainingList(), 0); // first: A
    messages.answers = {true};
    window->entries(Command::DeleteTraining).mainMenu->trigger();
    EXPECT_EQ(listTexts(trainingList()), QStringList({"B"}));
    EXPECT_EQ(selectedNumber(), -1);
    EXPECT_EQ(outlineTree()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->entries(Command::DeleteTraining).mainMenu->isEnabled());

    // Records stay, flagged; the files stay on disk.
    std::vector<CatalogueEntry> entries;
    ASSERT_TRUE(readCatalogue(dir.path(), &entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].record.deleted, -1);
    EXPECT_TRUE(entries[1].record.isLive());
    EXPECT_TRUE(fileExists(dir.file(outlineFileName(2))));
}

TEST_F(TrainingCommandsTest, DeletingTheLastTrainingLeavesEmptyPanesAndTheRecord)
{
    addTraining(QStringLiteral("Jedyne"));
    open();
    messages.answers = {true};
    window->entries(Command::DeleteTraining).mainMenu->trigger();
    EXPECT_EQ(trainingList()->count(), 0);
    EXPECT_EQ(readFile(dir.file(kCatalogueName)).size(), 137);
}

TEST_F(TrainingCommandsTest, AnOutlineThatCannotBeSavedIsReportedAndKeptOnScreen)
{
    addTraining(QStringLiteral("A"));
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)), {{QStringLiteral("stary"), 0, 0}}, &error));
    open();
    const QByteArray before = readFile(dir.file(outlineFileName(0)));
    // The outline file's place is taken by a folder: no save can replace it.
    ASSERT_TRUE(QFile::remove(dir.file(outlineFileName(0))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(outlineFileName(0)));
    whenModalShows([](QWidget *form) {
        // QTest types ASCII only; the Polish letter goes in as typed text.
        form->findChild<QLineEdit *>("QelNewViewNameEdit")->insert(QStringLiteral("Nowy dział"));
        buttonWithText(form, QStringLiteral("Utwórz"))->click();
    });
    window->entries(Command::NewItem).mainMenu->trigger();
    EXPECT_EQ(outlineTree()->topLevelItemCount(), 2);
    ASSERT_FALSE(messages.calls.empty());
    EXPECT_EQ(messages.calls.back().kind, QStringLiteral("information"));
    EXPECT_TRUE(before.size() == 137);
}
