// A main window on a temporary data directory with scripted messages and save
// dialog, for tests that drive the real widgets.
#pragma once

#include "common/ui/PaneWidgets.h"
#include "presentation/ui/OutlinePane.h"
#include "shell/ui/MainWindow.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"
#include "topics/ui/PreviewWidgets.h"
#include "topics/ui/SlidePreviewPane.h"
#include "topics/ui/TopicLibraryPane.h"
#include "trainings/ui/TrainingListPane.h"

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
    marbelo::MainWindow &open(bool keepStartTimer = false);

    // Clicks line row of a list / the item of a tree, as a user does.
    void clickLine(QListWidget *list, int row);
    void clickItem(QTreeWidget *tree, QTreeWidgetItem *item);
    void doubleClickItem(QTreeWidget *tree, QTreeWidgetItem *item);
    void pressKey(QWidget *widget, Qt::Key key);

    // The panes' widgets, found as a user of the window (or a screen reader) would.
    template<typename T = QWidget>
    T *child(const char *objectName) const
    {
        return window->findChild<T *>(QString::fromLatin1(objectName));
    }
    marbelo::PaneList *moduleList() const { return child<marbelo::PaneList>("QelModuleListBox"); }
    marbelo::PaneTree *moduleTree() const { return child<marbelo::PaneTree>("QelModuleTreeView"); }
    marbelo::PaneList *trainingList() const { return child<marbelo::PaneList>("QelProjectsListBox"); }
    marbelo::PaneTree *outlineTree() const { return child<marbelo::PaneTree>("QelProjectsTreeView"); }
    marbelo::SlideImage *previewImage() const { return child<marbelo::SlideImage>("QelViewImage"); }
    QWidget *previewPanel() const { return child<QWidget>("QelViewBodyPanel"); }

    QStringList listTexts(const QListWidget *list) const;
    // "level:text" of every outline node in pre-order.
    QStringList treeShape(const QTreeWidget *tree) const;

    TempDataDir dir;
    ScriptedMessages messages;
    ScriptedSaveDialog saveDialog;
    std::unique_ptr<marbelo::MainWindow> window;
};

} // namespace testing_support
