// Start sequence, first-run wizard and the end of the program.

#include "shell/ui/MainForm.h"

#include "shell/ui/HelpContext.h"
#include "shell/ui/PaneWidgets.h"
#include "shell/ui/WizardForms.h"
#include "topics/ui/PreviewWidgets.h"

#include <QHideEvent>
#include <QShowEvent>

namespace marbelo {

void TQelMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TQelMainForm::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    // Only the end of the program hides the window for good; minimising does not.
    if (!isMinimized() && !event->spontaneous())
        FormHide();
}

void TQelMainForm::FormShow()
{
    // The data directory was computed by the program entry.
    m_state.moduleFiles.clear();
    m_state.moduleFilesCreated = true;
    for (QWidget *w : std::initializer_list<QWidget *>{QelModuleListBox, QelModuleTreeView, Qel3DLabel1,
                                                       Qel3DLabel2, Qel3DLabel3, QelProjectsListBox,
                                                       QelProjectsTreeView})
        paintPaleYellow(w);
    m_state.slideShown = false;
    m_state.findActive = false;
    m_state.findText.clear();

    LoadModuleList();
    LoadModuleTree();
    LoadProjectList();
    LoadProjectTree();
    LayoutViewPanel();
    RefreshCommands();

    QelModuleListBox->setFocus();
    if (QelProjectsListBox->count() == 0)
        m_startTimer.start();
}

void TQelMainForm::FormHide()
{
    m_state.moduleFiles.clear();
    m_state.moduleFilesCreated = false;
}

void TQelMainForm::QelProgramExitMenuItemClick()
{
    // Nothing is ever unsaved: closing needs no question.
    close();
}

void TQelMainForm::QelStartTimerTimer()
{
    m_startTimer.stop();
    DisableCommands();
    int result = 0;
    {
        TQelWizardForm wizard(this);
        result = wizard.exec();
    }
    EnableCommands();
    RefreshCommands();

    if (result == 6) {
        if (newTraining()) {
            DisableCommands();
            int second = 0;
            {
                TQelWizard2Form wizard2(this);
                second = wizard2.exec();
            }
            EnableCommands();
            RefreshCommands();
            if (second == 7) {
                help().showContents();
                RefreshCommands();
            }
        }
        QelProjectsListBox->setFocus();
    } else if (result == 7) {
        help().showContents();
        RefreshCommands();
    }
}

} // namespace marbelo
