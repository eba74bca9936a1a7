// Keyboard shortcuts: every command has one, none is given twice, and each
// triggers its command exactly when the command is available.

#include "common/CommandTable.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "support/ui/MainWindowFixture.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <functional>
#include <set>

using namespace marbelo;
using namespace testing_support;

TEST(Shortcuts, EveryCommandHasItsOwnKeys)
{
    // Keys are given once within each window.
    std::set<int> commands;
    std::set<std::pair<CommandWindow, QString>> keys;
    for (const CommandInfo &info : commandTable()) {
        EXPECT_TRUE(commands.insert(static_cast<int>(info.command)).second) << static_cast<int>(info.command);
        for (const QKeySequence &key : info.keys)
            EXPECT_TRUE(keys.insert({windowOf(info), key.toString()}).second) << key.toString().toStdString();
    }
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(kCommandCount));
}

class ShortcutTest : public MainWindowTest
{
protected:
    // Presses every shortcut where it acts, each after prepare, and checks
    // that its command ran exactly when its entry was enabled; returns how many ran.
    int pressEveryShortcut(const std::function<void()> &prepare = [] {})
    {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        int ran = 0;
        for (const CommandInfo &info : commandTable()) {
            if (windowOf(info) != CommandWindow::Main)
                continue;
            SCOPED_TRACE(info.keys.first().toString().toStdString());
            prepare();
            QAction *action = window->shortcutEntry(info.command);
            // The spy stands in for the command's handler, so nothing opens.
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            QSignalSpy spy(action, &QAction::triggered);
            QWidget *focus = info.scope == ShortcutScope::Outline     ? static_cast<QWidget *>(outlineTree())
                             : info.scope == ShortcutScope::TopicTree ? moduleTree()
                                                                      : window->centralWidget();
            focus->setFocus();
            const QKeyCombination key = info.keys.first()[0];
            // No text for the key: QTest knows no character for some of them.
            QTest::sendKeyEvent(QTest::Click, focus, key.key(), '\0', key.keyboardModifiers());
            EXPECT_EQ(spy.count(), action->isEnabled() ? 1 : 0) << action->objectName().toStdString();
            ran += static_cast<int>(spy.count());
        }
        return ran;
    }
};

TEST_F(ShortcutTest, ActOnlyWhereTheirCommandIsAvailable)
{
    // Nothing in the data directory: only the commands that are always there.
    open();
    // the seven of every state, the slide import, the register, the renewals and the database
    EXPECT_EQ(pressEveryShortcut(), 11);

    // A training, a topic and an outline item selected: nearly everything.
    window.reset();
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("A"), 0, 0}).has_value());
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)),
                            {{QStringLiteral("D1"), 0, 0}, {QStringLiteral("D2"), 0, 0}}, &error));
    writeTopicFile(dir.file(QStringLiteral("t.mdl")), QStringLiteral("Tematy"),
                   {topicRecord("0", "0", "1", QStringLiteral("Temat"), makeJpeg(8, 8, 0x336699))});
    open();
    const auto select = [this] {
        clickItem(moduleTree(), moduleTree()->topLevelItem(0));
        clickItem(outlineTree(), outlineTree()->topLevelItem(1));
    };
    // Not: find next (no search), up a level, down, down a level (D2 is the
    // last top-level item), the four undo and redo entries (no history), and
    // renaming or deleting a topic (the vendor's).
    const auto mainCommands = std::count_if(commandTable().begin(), commandTable().end(),
                                            [](const CommandInfo &info) { return windowOf(info) == CommandWindow::Main; });
    EXPECT_EQ(pressEveryShortcut(select), mainCommands - 10);
}
