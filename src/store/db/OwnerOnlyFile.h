// Files readable and writable by their owner only (the database holds
// personal data). One implementation per platform.
#pragma once

#include <QString>

namespace marbelo::db {

// Creates path empty when it is missing, so that it never exists with wider
// rights, and narrows an existing file to its owner. False when the file
// cannot be created or its rights cannot be set.
bool makeOwnerOnlyFile(const QString &path);

} // namespace marbelo::db
