// Writing at a destination without following a link that sits there. A
// symbolic link (or a Windows junction) at a name the program writes is a
// name to replace, never a place to write into or to delete through: every
// writer of the export, the PDF, the import and the extraction goes through
// these, so nothing outside the chosen folder is ever written, moved or
// deleted.
#pragma once

#include <QIODevice>
#include <QString>

class QSaveFile;

namespace marbelo {

// True when path itself is a symbolic link or a junction, whatever it points
// to (or when it points nowhere).
bool isLink(const QString &path);

// Opens file (a save file for the destination) so that committing it
// replaces the destination's name itself: a link there is removed first and
// the file is refused when a link appears there again while it is opened.
// False when the file cannot be opened that way; nothing is left behind.
bool openAtTarget(QSaveFile &file, QIODevice::OpenMode mode = QIODevice::WriteOnly);

// Removes what is at path: a link as a link, a folder with everything in it
// (links inside removed as links), anything else as a file. True when
// nothing is left at path.
bool removeAtTarget(const QString &path);

// Puts the folder ready in place of target: what is at target (a folder, a
// file or a link) is moved aside first and removed, as above, only once the
// new folder is in place; it is moved back when that fails.
bool replaceFolder(const QString &ready, const QString &target);

} // namespace marbelo
