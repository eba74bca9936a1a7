// Help, contact and About commands.

#include "shell/ui/MainForm.h"

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

void TQelMainForm::QelHelpInternetMenuItemClick() {}
void TQelMainForm::QelHelpEmailMenuItemClick() {}
void TQelMainForm::QelHelpAboutMenuItemClick() {}

} // namespace marbelo
