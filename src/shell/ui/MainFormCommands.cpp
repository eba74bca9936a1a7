// Command availability: RefreshCommands, DisableCommands, EnableCommands.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

namespace marbelo {

CommandConditions TQelMainForm::currentConditions() const
{
    CommandConditions c;
    c.topicsListed = QelModuleListBox->count() > 0;
    c.findActive = m_state.findActive;
    c.ownTopicSelected = selectedModuleIsOwn();
    const QList<QTreeWidgetItem *> topics = QelModuleTreeView->selectedItems();
    c.topicSelected = !topics.isEmpty();
    if (c.topicSelected)
        c.topicReference = PaneTree::referenceOf(topics.first());
    c.trainingSelected = !QelProjectsListBox->selectedItems().isEmpty();
    c.outlineHasItems = QelProjectsTreeView->topLevelItemCount() > 0;
    const QList<QTreeWidgetItem *> items = QelProjectsTreeView->selectedItems();
    c.itemSelected = !items.isEmpty();
    if (c.itemSelected) {
        QTreeWidgetItem *item = items.first();
        c.itemReference = PaneTree::referenceOf(item);
        QTreeWidgetItem *parent = item->parent();
        c.itemHasParent = parent != nullptr;
        const int index = parent ? parent->indexOfChild(item) : QelProjectsTreeView->indexOfTopLevelItem(item);
        const int siblings = parent ? parent->childCount() : QelProjectsTreeView->topLevelItemCount();
        c.itemIsFirstChild = index == 0;
        c.itemHasNextSibling = index + 1 < siblings;
        if (c.itemHasNextSibling) {
            QTreeWidgetItem *next = parent ? parent->child(index + 1) : QelProjectsTreeView->topLevelItem(index + 1);
            c.nextSiblingReference = PaneTree::referenceOf(next);
        }
    }
    return c;
}

void TQelMainForm::RefreshCommands()
{
    const CommandStates states = evaluateCommands(currentConditions());
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandEntries &e = m_commands[static_cast<size_t>(i)];
        const bool on = states.enabled[static_cast<size_t>(i)];
        for (QAction *action : {e.mainMenu, e.dropDown, e.context}) {
            if (action)
                action->setEnabled(on);
        }
        if (e.toolButton)
            e.toolButton->setEnabled(on);
    }
    mainMenus[0]->menuAction()->setEnabled(true);
    mainMenus[1]->menuAction()->setEnabled(states.topicsMenu);
    QelModulesToolButton->setEnabled(states.topicsMenu);
    mainMenus[2]->menuAction()->setEnabled(true);
    mainMenus[3]->menuAction()->setEnabled(true);
    QelViewToolButton->setEnabled(true);
    mainMenus[4]->menuAction()->setEnabled(true);
}

void TQelMainForm::DisableCommands()
{
    for (QMenu *menu : mainMenus)
        menu->menuAction()->setEnabled(false);
    for (QToolButton *button : toolButtons)
        button->setEnabled(false);
    QelMainStatusBar->clearMessage();
    QelMainStatusBar->setEnabled(false);
}

void TQelMainForm::EnableCommands()
{
    for (QMenu *menu : mainMenus)
        menu->menuAction()->setEnabled(true);
    for (QToolButton *button : toolButtons)
        button->setEnabled(true);
    QelMainStatusBar->setEnabled(true);
}

} // namespace marbelo
