// The files the player needs beside it when it is not a single file: on
// Windows its DLLs and Qt's platform plugin. The build lists them, one path
// relative to the player's folder a line, in TarvixView.runtime next to the
// player; without that list the player needs nothing more.
#pragma once

#include <QString>
#include <QStringList>

namespace marbelo {

inline const QString kPlayerRuntimeList = QStringLiteral("TarvixView.runtime");
inline constexpr qint64 kMaxPlayerRuntimeListSize = 64 * 1024;
inline constexpr int kMaxPlayerRuntimeFiles = 200;

struct PlayerRuntime
{
    QStringList files; // relative to the player's folder, in the list's order
    bool valid = true; // false: the list is there but cannot be read or used
};

// The list of playerDir (trailing separator). A list that cannot be read, is
// larger than kMaxPlayerRuntimeListSize, names more than
// kMaxPlayerRuntimeFiles files or holds a line that is no plain relative path
// (isRuntimePath) is not valid and names no file. Empty lines and lines
// starting with '#' are skipped.
PlayerRuntime playerRuntime(const QString &playerDir);

// A path of at most two folder levels below the player: parts of ASCII
// letters, digits, '.', '_', '-' and '+', separated by '/', none empty, "."
// or "..", none the player's own names.
bool isRuntimePath(const QString &path);

} // namespace marbelo
