// Moving a register between the data folder's file and a server: every row
// of every table copied under its own id, so that numbers, ids and the
// certificates' texts stay as they are.
#pragma once

#include <QString>

namespace marbelo::db {

class Database;

// Copies source into target, both open; in one transaction of the target,
// which is refused (false, with a Polish message) unless all its tables are
// empty. The next ids of target follow the copied ones.
bool copyDatabase(Database &source, Database &target, QString *error);

} // namespace marbelo::db
