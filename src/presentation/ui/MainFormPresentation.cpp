// Composing the presentation, its full-screen preview and the export.

#include "shell/ui/MainForm.h"

namespace marbelo {

void TQelMainForm::ComposePresentation() {}
void TQelMainForm::QelViewViewMenuItemClick() {}
void TQelMainForm::QelViewCreateMenuItemClick() {}

} // namespace marbelo
