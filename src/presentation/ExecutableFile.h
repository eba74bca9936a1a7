// Making the exported player startable from its folder. One implementation
// per platform: POSIX sets the executable bits, Windows starts a file by its
// ".exe" name and has no such bits.
#pragma once

#include <QString>

namespace marbelo {

// True when the file at path can now be started. False for a link found at
// path (the copy replaced any link there, so one found now was planted
// since) and when the rights cannot be set.
bool makeExecutable(const QString &path);

} // namespace marbelo
