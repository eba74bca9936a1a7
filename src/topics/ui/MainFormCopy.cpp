// Copying detailed topics into the outline.

#include "shell/ui/MainForm.h"

namespace marbelo {

void TQelMainForm::AppendTopicToOutline(QTreeWidgetItem *, Placement) {}
void TQelMainForm::QelModulesMoveMenuItemClick() {}
void TQelMainForm::QelModuleTreeViewDblClick() {}

} // namespace marbelo
