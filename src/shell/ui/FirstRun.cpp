// The first-run wizard, opened by the start timer when there is no training.

#include "shell/ui/MainWindow.h"

#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "shell/ui/FirstRunWizard.h"
#include "trainings/ui/TrainingListPane.h"

namespace marbelo {

void MainWindow::runFirstStart()
{
    m_firstRunTimer.stop();
    int result = WizardClose;
    {
        const CommandsDisabled disabled(*this);
        FirstRunWizard wizard(this);
        result = wizard.exec();
    }
    if (result == WizardTraining) {
        // "Szkolenie": the new-training command, then the second page.
        if (m_trainings->newTraining()) {
            int second = WizardClose;
            {
                const CommandsDisabled disabled(*this);
                FirstRunWizardEnd wizard(this);
                second = wizard.exec();
            }
            if (second == WizardHelp) {
                help().showContents();
                refreshCommands();
            }
        }
        m_trainings->list()->setFocus();
    } else if (result == WizardHelp) {
        help().showContents();
        refreshCommands();
    }
}

} // namespace marbelo
