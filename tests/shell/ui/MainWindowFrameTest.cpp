// The main window: start sequence, first-run wizard, size, hints and the
// command availability applied to its entries.

#include "common/CommandTable.h"
#include "common/ui/PaneWidgets.h"
#include "shell/ui/RecordingHelp.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/MainWindowFixture.h"
#include "topics/ui/PreviewWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace marbelo;
using namespace testing_support;

namespace {

class ShellTest : public MainWindowTest
{
protected:
    void addTraining(const QString &name, int type = 0)
    {
        const auto number = appendTrainingRecord(dir.path(), {name, type, 0});
        ASSERT_TRUE(number.has_value());
        ASSERT_TRUE(createTrainingFiles(dir.path(), *number));
    }
    bool enabled(Command command)
    {
        const auto &e = window->entries(command);
        const bool on = e.mainMenu->isEnabled();
        // Every place of a command follows the same rule.
        for (QAction *a : {e.dropDown, e.context}) {
            if (a) {
                EXPECT_EQ(a->isEnabled(), on) << a->objectName().toStdString();
            }
        }
        if (e.toolButton) {
            EXPECT_EQ(e.toolButton->isEnabled(), on);
        }
        return on;
    }
};

} // namespace

TEST_F(ShellTest, MainWindowHasItsDesignSizeCaptionAndPanes)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" Marbelo"));
    EXPECT_EQ(window->size(), QSize(780, 580));
    EXPECT_EQ(child<QToolBar>("QelMainToolBar")->height(), 48);
    EXPECT_EQ(window->statusBar()->height(), 19);
    EXPECT_EQ(moduleList()->parentWidget()->parentWidget()->width(), 200);
    window->resize(500, 300);
    EXPECT_GE(window->width(), 780);
    EXPECT_GE(window->height(), 580);
    const QStringList buttons = {"QelProgramExitToolButton", "QelModulesToolButton",     "QelProjectsToolButton",
                                 "QelViewToolButton",        "QelHelpContentToolButton", "QelHelpIndexToolButton",
                                 "QelHelpInternetToolButton", "QelHelpEmailToolButton",  "QelHelpAboutToolButton"};
    for (const QString &name : buttons)
        EXPECT_NE(window->findChild<QToolButton *>(name), nullptr) << name.toStdString();
    EXPECT_EQ(window->findChild<QToolButton *>("QelModulesToolButton")->toolTip(), QStringLiteral("Tematy"));
    EXPECT_EQ(moduleList()->palette().color(QPalette::Base), QColor(255, 255, 215));
    EXPECT_EQ(outlineTree()->accessibleName(), QStringLiteral("Prezentacje do szkoleń"));
    EXPECT_EQ(window->findChild<QAction *>("QelViewBodyCreatePopupMenuItem")->text(),
              QStringLiteral("|Utwórz prezentację"));
}

TEST_F(ShellTest, EveryPlacedEntryIsItsCommandsEntryForItsPlacesRole)
{
    open();
    for (const CommandPlacement &p : placementTable()) {
        if (p.kind != PlacementKind::Entry || windowOf(p.place) != CommandWindow::Main)
            continue;
        const MainWindow::CommandEntries &e = window->entries(p.command);
        const QObject *expected = nullptr;
        switch (roleOf(p.place)) {
        case EntryRole::MainMenu: expected = e.mainMenu; break;
        case EntryRole::DropDown: expected = e.dropDown; break;
        case EntryRole::Context: expected = e.context; break;
        case EntryRole::ToolBar: expected = e.toolButton; break;
        }
        ASSERT_NE(expected, nullptr) << p.objectName;
        EXPECT_EQ(window->findChild<QObject *>(QString::fromLatin1(p.objectName)), expected) << p.objectName;
    }
}

TEST_F(ShellTest, StartWithoutTrainingsOpensTheWizardHalfASecondLater)
{
    open(true);
    ASSERT_TRUE(window->firstRunTimer()->isActive());
    EXPECT_EQ(window->firstRunTimer()->interval(), 500);
    QString caption;
    whenModalShows([&caption](QWidget *wizard) {
        caption = wizard->windowTitle();
        EXPECT_EQ(wizard->focusWidget(), buttonWithText(wizard, QStringLiteral("Zamknij")));
        buttonWithText(wizard, QStringLiteral("Zamknij"))->click();
    });
    EXPECT_TRUE(QTest::qWaitFor([&caption] { return !caption.isEmpty(); }, 5000));
    EXPECT_EQ(caption, QStringLiteral(" Kreator nowego szkolenia"));
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 5000));
    EXPECT_FALSE(window->firstRunTimer()->isActive());
    EXPECT_EQ(trainingList()->count(), 0);
}

TEST_F(ShellTest, StartWithALiveTrainingHasNoWizard)
{
    addTraining(QStringLiteral("Szkolenie A"));
    open(true);
    EXPECT_FALSE(window->firstRunTimer()->isActive());
}

TEST_F(ShellTest, WizardTrainingThenCancelCreatesNothing)
{
    open();
    whenModalShows([](QWidget *wizard) {
        buttonWithText(wizard, QStringLiteral("Szkolenie"))->click();
        whenModalShows([](QWidget *form) {
            EXPECT_EQ(form->windowTitle(), QStringLiteral("Nowe szkolenie"));
            buttonWithText(form, QStringLiteral("Anuluj"))->click();
        });
    });
    window->runFirstStart();
    EXPECT_EQ(trainingList()->count(), 0);
    EXPECT_FALSE(fileExists(dir.file(kCatalogueName)));
    EXPECT_EQ(window->focusWidget(), trainingList());
}

TEST_F(ShellTest, WizardTrainingCreatesItAndShowsTheSecondPage)
{
    open();
    QString secondCaption;
    whenModalShows([&secondCaption](QWidget *wizard) {
        buttonWithText(wizard, QStringLiteral("Szkolenie"))->click();
        whenModalShows([&secondCaption](QWidget *form) {
            QTest::keyClicks(form->findChild<QLineEdit *>("QelNewProjectNameEdit"), QStringLiteral("Pierwsze"));
            buttonWithText(form, QStringLiteral("Utwórz"))->click();
            whenModalShows([&secondCaption](QWidget *page) {
                secondCaption = page->windowTitle();
                QTest::keyRelease(page, Qt::Key_Escape);
            });
        });
    });
    window->runFirstStart();
    EXPECT_EQ(secondCaption, QStringLiteral(" Kreator nowej prezentacji"));
    ASSERT_EQ(trainingList()->count(), 1);
    EXPECT_EQ(trainingList()->item(0)->text(), QStringLiteral("Pierwsze"));
    EXPECT_TRUE(trainingList()->item(0)->isSelected());
    EXPECT_EQ(outlineTree()->topLevelItemCount(), 0);
    EXPECT_EQ(readFile(dir.file(QStringLiteral("Tree0000.pdl"))).size(), 0);
    EXPECT_TRUE(fileExists(dir.file(QStringLiteral("Data0000.pdl"))));
}

TEST_F(ShellTest, WizardEscapeClosesLikeZamknij)
{
    open();
    whenModalShows([](QWidget *wizard) { QTest::keyRelease(wizard, Qt::Key_Escape); });
    window->runFirstStart();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(trainingList()->count(), 0);
}

TEST_F(ShellTest, AvailabilityWithoutTopicsAndWithAnEmptyOutline)
{
    addTraining(QStringLiteral("A"));
    open();
    // "Tematy" and its button stay available for the import, which needs no topic.
    EXPECT_TRUE(window->mainMenus()[1]->menuAction()->isEnabled());
    EXPECT_TRUE(child<QToolButton>("QelModulesToolButton")->isEnabled());
    EXPECT_TRUE(enabled(Command::ImportSlides));
    EXPECT_FALSE(enabled(Command::Find));
    EXPECT_FALSE(enabled(Command::CopyTopic));
    EXPECT_TRUE(enabled(Command::NewItem));
    for (Command c : {Command::RenameItem, Command::MoveItemTop, Command::MoveItemUp, Command::MoveItemDown,
                      Command::MoveItemBottom, Command::DeleteItem, Command::Preview, Command::Export,
                      Command::SavePdf})
        EXPECT_FALSE(enabled(c));
    EXPECT_TRUE(enabled(Command::NewTrainingFrom));
}

TEST_F(ShellTest, AvailabilityFollowsTheOutlineSelection)
{
    addTraining(QStringLiteral("A"));
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)),
                            {{QStringLiteral("Rozdział"), 0, 0x40000000},
                             {QStringLiteral("Dział 1"), 1, 0},
                             {QStringLiteral("Temat"), 1, 4},
                             {QStringLiteral("Dział 2"), 1, 0}},
                            &error));
    open();
    PaneTree *outline = outlineTree();
    ASSERT_EQ(outline->topLevelItemCount(), 1);
    QTreeWidgetItem *chapter = outline->topLevelItem(0);
    outline->expandAll();

    clickItem(outline, chapter);
    EXPECT_FALSE(enabled(Command::MoveItemTop));
    EXPECT_FALSE(enabled(Command::MoveItemUp));
    EXPECT_FALSE(enabled(Command::MoveItemDown));
    EXPECT_TRUE(enabled(Command::RenameItem));
    EXPECT_TRUE(enabled(Command::Preview));

    clickItem(outline, chapter->child(0)); // first child; next sibling has a slide
    EXPECT_FALSE(enabled(Command::MoveItemUp));
    EXPECT_TRUE(enabled(Command::MoveItemTop));
    EXPECT_TRUE(enabled(Command::MoveItemDown));
    EXPECT_FALSE(enabled(Command::MoveItemBottom));

    clickItem(outline, chapter->child(1)); // next sibling is a section
    EXPECT_TRUE(enabled(Command::MoveItemUp));
    EXPECT_TRUE(enabled(Command::MoveItemBottom));

    clickItem(outline, chapter->child(2)); // last among its siblings
    EXPECT_FALSE(enabled(Command::MoveItemDown));
    EXPECT_FALSE(enabled(Command::MoveItemBottom));
}

TEST_F(ShellTest, DisableAndEnableAroundADialog)
{
    open();
    bool disabledMeanwhile = false;
    whenModalShows([this, &disabledMeanwhile](QWidget *form) {
        disabledMeanwhile = !window->mainMenus()[2]->menuAction()->isEnabled()
                            && !child<QToolButton>("QelProjectsToolButton")->isEnabled() && !window->statusBar()->isEnabled()
                            && window->statusBar()->currentMessage().isEmpty();
        QTest::keyRelease(form, Qt::Key_Escape);
    });
    window->statusBar()->showMessage(QStringLiteral("coś"));
    window->entries(Command::NewTraining).mainMenu->trigger();
    EXPECT_TRUE(disabledMeanwhile);
    // Enabled again.
    for (int i : {0, 1, 2, 3, 4})
        EXPECT_TRUE(window->mainMenus()[static_cast<size_t>(i)]->menuAction()->isEnabled()) << i;
    EXPECT_TRUE(child<QToolButton>("QelProjectsToolButton")->isEnabled());
    EXPECT_TRUE(window->statusBar()->isEnabled());
}

TEST_F(ShellTest, HintsShowInTheStatusBar)
{
    open();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(outlineTree(), &enter);
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Okienko prezentacji do szkoleń"));
    auto *exitButton = window->findChild<QToolButton *>("QelProgramExitToolButton");
    QApplication::sendEvent(exitButton, &enter);
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Kończy działanie programu"));
    EXPECT_EQ(exitButton->toolTip(), QStringLiteral("Zakończ"));
    window->mainMenus()[3]->actions().first()->hover();
    emit window->mainMenus()[3]->hovered(window->mainMenus()[3]->actions().first());
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Tworzy nową pozycję w aktualnie tworzonej prezentacji do szkolenia"));
}

TEST_F(ShellTest, ClosingTheWindowAsksNothing)
{
    open();
    window->entries(Command::Exit).mainMenu->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(window->topicLibrary().moduleFiles().empty());
}

TEST_F(ShellTest, WizardHelpOpensTheContentsAndLeavesTheWindowUsable)
{
    RecordingHelp recorder;
    open();
    whenModalShows([](QWidget *wizard) { buttonWithText(wizard, QStringLiteral("Pomoc"))->click(); });
    window->runFirstStart();
    EXPECT_EQ(recorder.contents, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window->mainMenus()[2]->menuAction()->isEnabled());
    EXPECT_TRUE(enabled(Command::NewTraining));
}

TEST_F(ShellTest, SecondWizardPageHelpOpensTheContents)
{
    RecordingHelp recorder;
    open();
    whenModalShows([](QWidget *wizard) {
        buttonWithText(wizard, QStringLiteral("Szkolenie"))->click();
        whenModalShows([](QWidget *form) {
            QTest::keyClicks(form->findChild<QLineEdit *>("QelNewProjectNameEdit"), QStringLiteral("Drugie"));
            buttonWithText(form, QStringLiteral("Utwórz"))->click();
            whenModalShows([](QWidget *page) { buttonWithText(page, QStringLiteral("Pomoc"))->click(); });
        });
    });
    window->runFirstStart();
    EXPECT_EQ(recorder.contents, 1);
    EXPECT_EQ(trainingList()->count(), 1);
}
