// Parts of the frame around the panes: caption strips over the pane
// controls, the columns that stack two of them, tool buttons, images, hints.
#pragma once

#include "common/ui/CommandMenus.h"

#include <QString>

class QToolBar;
class QToolButton;
class QWidget;

namespace marbelo {

// A 40 x 38 tool button with a "short|long" hint.
QToolButton *makeToolButton(QToolBar *bar, const char *objectName, int image, const QString &hint, int helpContext);

// A block of a caption strip over a control; both share the pane's hint and
// help context, and the control carries the caption as its accessible name.
QWidget *captionedBlock(const char *blockName, const char *captionName, const QString &caption, QWidget *control,
                        const QString &hint, int help);

// Two blocks one above the other, with a splitter between them.
QWidget *column(const char *name, const char *splitterName, QWidget *top, QWidget *bottom);

} // namespace marbelo
