// The font of every document: DejaVu Sans from the core library's
// resources, registered once, so each Polish letter prints and is embedded.
#pragma once

#include <QFont>

namespace marbelo {

// DejaVu Sans at a point size; needs a QGuiApplication.
QFont documentFont(double pointSize, bool bold = false);

} // namespace marbelo
