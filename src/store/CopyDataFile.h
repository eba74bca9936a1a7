// Whole-file copy used by "new training from another" and by the export.
#pragma once

#include <QString>

#include <cstdint>

namespace marbelo {

// Copies source to destination in 16384-byte chunks. Returns 0 on success and
// -1 on any failure; never throws. The destination is replaced only by a whole
// copy: a failed copy leaves an existing destination as it was. Copying a file
// onto itself leaves it untouched and succeeds.
std::int32_t CopyDataFile(const QString &source, const QString &destination);

} // namespace marbelo
