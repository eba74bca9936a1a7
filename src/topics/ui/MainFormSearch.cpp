// Topic search and find next.

#include "shell/ui/MainForm.h"

namespace marbelo {

void TQelMainForm::QelModulesFindMenuItemClick() {}
void TQelMainForm::QelModulesFindNextMenuItemClick() {}

} // namespace marbelo
