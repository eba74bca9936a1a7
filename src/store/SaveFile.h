// Committing a QSaveFile so that a failed write is never taken for success.
#pragma once

class QSaveFile;

namespace marbelo {

// Writes out what the save file still buffers, then puts it in place of the
// old file. QSaveFile::commit alone reports success when the last buffered
// bytes fail to reach the disk (a full disk, a file-size limit) and would put
// a cut-off file in place; here the buffer is flushed first and any failure
// cancels the save, leaving the old file as it was. False on any failure; the
// file's errorString() then says why.
bool commitWhole(QSaveFile &file);

} // namespace marbelo
