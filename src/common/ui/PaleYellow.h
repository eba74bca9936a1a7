// The pale yellow the program paints its lists, trees, preview pane, title
// labels, dialog edits and wizard panels with, together with the colours that
// read on it: dark text and the usual blue selection, whatever the desktop's
// theme. Everything else follows the theme.
#pragma once

#include <QColor>

class QPalette;
class QWidget;

namespace marbelo {

// Red 255, green 255, blue 215.
inline const QColor kPaleYellow = QColor(255, 255, 215);

// The palette base with the pale-yellow background, its text, button and
// selection colours set in every colour group.
QPalette paleYellowPalette(const QPalette &base);

// Gives a widget the pale-yellow palette and fills its background.
void paintPaleYellow(QWidget *widget);

} // namespace marbelo
