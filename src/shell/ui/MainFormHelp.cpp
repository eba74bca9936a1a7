// Help, contact and About commands.

#include "shell/ui/MainForm.h"

#include "shell/Contact.h"
#include "shell/ui/AboutForm.h"
#include "shell/ui/HelpContext.h"

namespace marbelo {

void TQelMainForm::QelHelpContentMenuItemClick()
{
    help().showContents();
    RefreshCommands();
}

void TQelMainForm::QelHelpIndexMenuItemClick()
{
    help().showIndex();
    RefreshCommands();
}

void TQelMainForm::QelHelpInternetMenuItemClick()
{
    // The result is not examined; availability is not touched.
    openUrl(producerWebUrl());
}

void TQelMainForm::QelHelpEmailMenuItemClick()
{
    openUrl(producerMailUrl());
}

void TQelMainForm::QelHelpAboutMenuItemClick()
{
    DisableCommands();
    {
        TQelAboutForm about(this, m_state.dataDir);
        about.exec();
    }
    EnableCommands();
    RefreshCommands();
}

} // namespace marbelo
