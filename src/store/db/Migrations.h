// The schema in steps: step i takes a database of version i to version i + 1.
#pragma once

#include <QStringList>

#include <vector>

namespace marbelo::db {

// The statements of every step, oldest first; the current version is the
// number of steps.
const std::vector<QStringList> &migrationSteps();
int currentSchemaVersion();

} // namespace marbelo::db
