// The first-run wizard, opened by the start timer when there is no training.

#include "shell/ui/MainWindow.h"

#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "shell/ui/FirstRunWizard.h"
#include "trainings/ui/TrainingListPane.h"

namespace marbelo {

void MainWindow::runFirstStart()
{
    m_startTimer.stop();
    disableCommands();
    int result = 0;
    {
        FirstRunWizard wizard(this);
        result = wizard.exec();
    }
    enableCommands();
    refreshCommands();

    if (result == 6) {
        // "Szkolenie": the new-training command, then the second page.
        if (m_trainings->newTraining()) {
            disableCommands();
            int second = 0;
            {
                FirstRunWizardEnd wizard(this);
                second = wizard.exec();
            }
            enableCommands();
            refreshCommands();
            if (second == 7) {
                help().showContents();
                refreshCommands();
            }
        }
        m_trainings->list()->setFocus();
    } else if (result == 7) {
        help().showContents();
        refreshCommands();
    }
}

} // namespace marbelo
