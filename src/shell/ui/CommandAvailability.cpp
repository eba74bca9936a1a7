// Command availability: every entry, tool button and submenu of each command
// follows the rules evaluated from what the panes show.

#include "shell/ui/MainWindow.h"

#include "common/CommandTable.h"
#include "presentation/ui/OutlinePane.h"
#include "topics/ui/TopicLibraryPane.h"
#include "trainings/ui/TrainingListPane.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

namespace marbelo {

bool MainWindow::paneInputBlocked() const
{
    return m_topics->isSearching();
}

CommandStates MainWindow::currentStates() const
{
    CommandConditions conditions;
    m_topics->addConditions(&conditions);
    m_trainings->addConditions(&conditions);
    m_outline->addConditions(&conditions);
    return evaluateCommands(conditions);
}

void MainWindow::refreshCommands()
{
    const CommandStates states = currentStates();
    m_commands.applyStates(states);
    // Only the "Tematy" submenu and its button depend on the panes.
    for (QMenu *menu : m_menus)
        menu->menuAction()->setEnabled(menu != m_menus[1] || states.topicsMenu);
    m_topicsButton->setEnabled(states.topicsMenu);
    m_presentationsButton->setEnabled(true);
    refreshHistoryEntries(states);
}

void MainWindow::refreshHistoryEntries(const CommandStates &states)
{
    const QUndoStack *outlineHistory = m_outline->history();
    const QUndoStack *catalogueHistory = m_trainings->history();
    const std::pair<Command, QString> captions[] = {
        {Command::UndoItem, historyCaption(QStringLiteral("Cofnij"), outlineHistory ? outlineHistory->undoText() : QString())},
        {Command::RedoItem, historyCaption(QStringLiteral("Ponów"), outlineHistory ? outlineHistory->redoText() : QString())},
        {Command::UndoTraining, historyCaption(QStringLiteral("Cofnij"), catalogueHistory->undoText())},
        {Command::RedoTraining, historyCaption(QStringLiteral("Ponów"), catalogueHistory->redoText())},
    };
    for (const auto &[command, caption] : captions) {
        const CommandEntries &e = m_commands.entries(command);
        for (QAction *action : {e.mainMenu, e.dropDown, e.context}) {
            if (action) {
                action->setText(caption);
                action->setEnabled(states.isEnabled(command));
            }
        }
    }
}

void MainWindow::disableCommands()
{
    for (QMenu *menu : m_menus)
        menu->menuAction()->setEnabled(false);
    for (QToolButton *button : m_toolButtons)
        button->setEnabled(false);
    m_statusBar->clearMessage();
    m_statusBar->setEnabled(false);
}

void MainWindow::enableCommands()
{
    for (QMenu *menu : m_menus)
        menu->menuAction()->setEnabled(true);
    for (QToolButton *button : m_toolButtons)
        button->setEnabled(true);
    m_statusBar->setEnabled(true);
}

} // namespace marbelo
