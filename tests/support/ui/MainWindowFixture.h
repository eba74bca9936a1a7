// A main window on a temporary data directory with scripted messages and save
// dialog, for tests that drive the real widgets.
#pragma once

#include "shell/ui/MainForm.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QListWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace testing_support {

class MainWindowTest : public ::testing::Test
{
protected:
    void TearDown() override;

    // Builds and shows the window (the start sequence runs). The first-run
    // timer is stopped unless keepStartTimer is set.
    marbelo::TQelMainForm &open(bool keepStartTimer = false);

    // Clicks line row of a list / the item of a tree, as a user does.
    void clickLine(QListWidget *list, int row);
    void clickItem(QTreeWidget *tree, QTreeWidgetItem *item);
    void doubleClickItem(QTreeWidget *tree, QTreeWidgetItem *item);
    void pressKey(QWidget *widget, Qt::Key key);

    QStringList listTexts(const QListWidget *list) const;
    // "level:text" of every outline node in pre-order.
    QStringList treeShape(const QTreeWidget *tree) const;

    TempDataDir dir;
    ScriptedMessages messages;
    ScriptedSaveDialog saveDialog;
    std::unique_ptr<marbelo::TQelMainForm> window;
};

} // namespace testing_support
