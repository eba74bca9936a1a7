// Help in the main window: F1 in the panes, on a highlighted menu entry and
// in a dialog; the About box from the menu; the contact commands.

#include "RecordingHelp.h"

#include "presentation/ui/OutlineItemDialogs.h"
#include "shell/Contact.h"
#include "shell/ui/HelpKey.h"
#include "common/ui/PaneWidgets.h"
#include "support/ui/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <vector>

using namespace marbelo;
using namespace testing_support;

namespace {

class WindowHelpTest : public MainWindowTest
{
protected:
    void SetUp() override { qApp->installEventFilter(&key); }
    void TearDown() override
    {
        qApp->removeEventFilter(&key);
        MainWindowTest::TearDown();
    }

    MainWindow &openActive()
    {
        writeTopicFile(dir.file(QStringLiteral("a.mdl")), QStringLiteral("Apteczka"),
                       {topicRecord("0", "0", "0", QStringLiteral("Opatrunki"))});
        open();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    static bool focusOn(QWidget *widget)
    {
        widget->setFocus();
        return QTest::qWaitFor([widget] { return QApplication::focusWidget() == widget; });
    }

    static std::vector<int> topics(const RecordingHelp &help)
    {
        return std::vector<int>(help.topics.begin(), help.topics.end());
    }

    // The enabled state of every entry of every command, in command order.
    std::vector<bool> enabledStates() const
    {
        std::vector<bool> out;
        for (int i = 0; i < kCommandCount; ++i) {
            const MainWindow::CommandEntries &e = window->entries(static_cast<Command>(i));
            for (QAction *action : {e.mainMenu, e.dropDown, e.context})
                out.push_back(action && action->isEnabled());
            out.push_back(e.toolButton && e.toolButton->isEnabled());
        }
        return out;
    }

    HelpKey key;
    RecordingHelp help;
};

} // namespace

TEST_F(WindowHelpTest, F1InAPaneOpensThatPanesTopic)
{
    openActive();
    const std::vector<std::pair<QWidget *, int>> cases = {
        {outlineTree(), 2800},
        {trainingList(), 2700},
        {moduleTree(), 2500},
        {moduleList(), 2400},
    };
    for (const auto &[pane, context] : cases) {
        SCOPED_TRACE(pane->objectName().toStdString());
        help.topics.clear();
        ASSERT_TRUE(focusOn(pane));
        QTest::keyClick(pane, Qt::Key_F1);
        EXPECT_EQ(topics(help), std::vector<int>{context});
    }
}

TEST_F(WindowHelpTest, F1OnTheHighlightedEntryUtworzPrezentacjeOpens2249)
{
    openActive();
    QMenu *menu = window->mainMenus()[3];
    QAction *create = window->entries(Command::Export).mainMenu;
    ASSERT_EQ(create->text(), QStringLiteral("Utwórz prezentację"));
    // Without a training the entry is disabled, and a disabled entry cannot be
    // highlighted; its availability is not what this test is about.
    create->setEnabled(true);
    window->menuBar()->setActiveAction(menu->menuAction());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return QApplication::activePopupWidget() == menu; }));
    menu->setActiveAction(create);
    ASSERT_EQ(menu->activeAction(), create);
    QTest::keyClick(menu, Qt::Key_F1);
    EXPECT_EQ(topics(help), std::vector<int>{2249});
}

TEST_F(WindowHelpTest, F1InEveryControlOfTheNewItemDialogOpens4040AndKeepsItOpen)
{
    openActive();
    NewItemDialog form(window.get());
    form.setUp(NewItemDialog::OutlineState::Empty);
    int controls = 0;
    bool stayedOpen = true;
    whenModalShows([&](QWidget *dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        for (QWidget *control : dialog->findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisible() || !control->isEnabled())
                continue;
            SCOPED_TRACE(control->objectName().toStdString());
            help.topics.clear();
            EXPECT_TRUE(focusOn(control));
            QTest::keyClick(control, Qt::Key_F1);
            EXPECT_EQ(topics(help), std::vector<int>{4040});
            stayedOpen = stayedOpen && dialog->isVisible();
            ++controls;
        }
        static_cast<QDialog *>(dialog)->reject();
    });
    form.exec();
    EXPECT_GE(controls, 3); // the choices and the buttons at least
    EXPECT_TRUE(stayedOpen);
}

TEST_F(WindowHelpTest, AboutFromTheMenuTogglesItsHistoryAndRestoresTheCommands)
{
    openActive();
    const std::vector<bool> before = enabledStates();
    int heights[3] = {0, 0, 0};
    bool menusDisabledMeanwhile = false;
    whenModalShows([&](QWidget *about) {
        menusDisabledMeanwhile = !window->mainMenus()[4]->menuAction()->isEnabled();
        auto *history = about->findChild<QPushButton *>(QStringLiteral("QelAboutHistoryButton"));
        ASSERT_NE(history, nullptr);
        heights[0] = about->height();
        history->click();
        heights[1] = about->height();
        history->click();
        heights[2] = about->height();
        about->findChild<QPushButton *>(QStringLiteral("QelAboutCloseButton"))->click();
    });
    window->entries(Command::About).mainMenu->trigger();
    EXPECT_TRUE(menusDisabledMeanwhile);
    EXPECT_GT(heights[1], heights[0]);
    EXPECT_EQ(heights[2], heights[0]);
    EXPECT_EQ(enabledStates(), before);
    EXPECT_TRUE(window->mainMenus()[4]->menuAction()->isEnabled());
}

TEST_F(WindowHelpTest, ContactCommandsOpenTheirUrlsAndLeaveAvailabilityWhileHelpRefreshesIt)
{
    openActive();
    QList<QUrl> opened;
    setUrlOpenerForTests([&opened](const QUrl &url) { opened.append(url); });
    const std::vector<bool> computed = enabledStates();
    // Put every entry of the commands that are not triggered here into the
    // opposite state, so that a refresh would show.
    for (int i = 0; i < static_cast<int>(Command::HelpContents); ++i) {
        const MainWindow::CommandEntries &e = window->entries(static_cast<Command>(i));
        for (QAction *action : {e.mainMenu, e.dropDown, e.context}) {
            if (action)
                action->setEnabled(!action->isEnabled());
        }
        if (e.toolButton)
            e.toolButton->setEnabled(!e.toolButton->isEnabled());
    }
    const std::vector<bool> flipped = enabledStates();
    ASSERT_NE(flipped, computed);

    window->entries(Command::HelpInternet).mainMenu->trigger();
    EXPECT_EQ(enabledStates(), flipped);
    window->entries(Command::HelpEmail).toolButton->click();
    EXPECT_EQ(enabledStates(), flipped);
    setUrlOpenerForTests({});
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], producerWebUrl());
    EXPECT_EQ(opened[1], producerMailUrl());
    EXPECT_TRUE(help.topics.isEmpty());

    window->entries(Command::HelpContents).mainMenu->trigger();
    EXPECT_EQ(help.contents, 1);
    EXPECT_EQ(enabledStates(), computed);

    for (int i = 0; i < static_cast<int>(Command::HelpContents); ++i) {
        if (QAction *action = window->entries(static_cast<Command>(i)).mainMenu)
            action->setEnabled(!action->isEnabled());
    }
    ASSERT_NE(enabledStates(), computed);
    window->entries(Command::HelpIndex).toolButton->click();
    EXPECT_EQ(help.index, 1);
    EXPECT_EQ(enabledStates(), computed);
}
