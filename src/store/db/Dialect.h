// What the two back ends say differently: the schema's statements, where the
// schema version is kept, how a writer takes the database's write lock, and
// how the tables are listed. Everything else is SQL both understand.
#pragma once

#include <QString>
#include <QStringList>

class QSqlQuery;

namespace marbelo::db {

enum class Dialect { Sqlite, Postgres };

// A schema statement as written for SQLite, in the back end's own words.
QString schemaStatement(Dialect dialect, const QString &sql);
// The schema version (0 for a database without tables).
bool readSchemaVersion(QSqlQuery &q, Dialect dialect, int *version);
bool writeSchemaVersion(QSqlQuery &q, Dialect dialect, int version);
// The statements that open a writing transaction holding the write lock.
QStringList beginWriting(Dialect dialect);
// The program's tables present (the version's own table aside).
bool listTables(QSqlQuery &q, Dialect dialect, QStringList *tables);
// After rows were put in under their own ids: the next id of table follows
// the largest (SQLite's AUTOINCREMENT does so by itself).
bool followIds(QSqlQuery &q, Dialect dialect, const QString &table);

} // namespace marbelo::db
