// The order of every sorted list of the program: Polish collation ("Ł" after
// "L"), case-insensitive.
#pragma once

#include <QString>

namespace marbelo {

bool polishLess(const QString &a, const QString &b);

} // namespace marbelo
