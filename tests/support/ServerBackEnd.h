// The throwaway PostgreSQL server of the tests (tests/server/postgres-cluster.sh),
// whose address the ctest fixture hands over in MARBELO_TEST_POSTGRESQL (the
// file holding it), or in MARBELO_TEST_ON_SERVER for a run of the database
// tests with every database on the server.
#pragma once

#include "store/db/DatabaseLocation.h"

#include <QString>

namespace testing_support {

// The test server's address, empty when this run has none.
QString testServerUrl();
// A location on the test server in a schema of its own named after key.
marbelo::db::DatabaseLocation serverLocation(const QString &key);
// A new empty database on the test server; its address, empty when it cannot be made.
QString freshServerDatabase();
// Every database the tests make by path then lives on the test server, one
// schema per path (MARBELO_TEST_ON_SERVER): the same tests on both back ends.
void putDatabasesOnServerWhenAsked();
// Stops and starts the test server again (what a firm's server does at an update).
bool restartTestServer();

} // namespace testing_support
