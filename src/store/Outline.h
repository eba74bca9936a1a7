// Presentation outlines Tree####.pdl: one 137-byte record per item, in pre-order.
#pragma once

#include "store/Records.h"

#include <QString>

#include <vector>

class QIODevice;

namespace marbelo {

// Every whole record in file order; a partial record at the end is ignored.
// False when the file cannot be opened (a missing outline is an empty one).
bool readOutline(const QString &path, std::vector<OutlineRecord> *records);

// Writes the records to a device; false with an error text when a write fails
// or a name cannot be stored.
bool writeOutline(QIODevice &device, const std::vector<OutlineRecord> &records, QString *error);

// Replaces the outline file whole: the new contents take the old file's place
// only when they were written completely, so a failed or interrupted save
// leaves the previous outline intact.
bool saveOutline(const QString &path, const std::vector<OutlineRecord> &records, QString *error);

} // namespace marbelo
