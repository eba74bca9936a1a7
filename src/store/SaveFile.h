// Committing a QSaveFile so that a failed write is never taken for success.
#pragma once

class QSaveFile;
class QString;

namespace marbelo {

// Writes out what the save file still buffers, then puts it in place of the
// old file. QSaveFile::commit alone reports success when the last buffered
// bytes fail to reach the disk (a full disk, a file-size limit) and would put
// a cut-off file in place; here the buffer is flushed first and any failure
// cancels the save, leaving the old file as it was. False on any failure,
// with the reason in error when given.
bool commitWhole(QSaveFile &file, QString *error = nullptr);

// Removes what saves of path cut off by a crash left behind: the save file's
// temporaries, named path + "." + six random letters or digits. Only this
// program writes its outlines, one save at a time, so any such file found
// before a save begins is stale. A suffix without a capital letter is left
// alone, so that a copy a user made by hand ("Tree0001.pdl.kopia1") is never
// taken for one.
void removeStaleSaveFiles(const QString &path);

} // namespace marbelo
