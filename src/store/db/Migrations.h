// The schema in steps: step i takes a database of version i to version i + 1;
// with it, the schema's references between tables and the checks run on
// every opening.
#pragma once

#include <QStringList>

#include <vector>

class QSqlQuery;

namespace marbelo::db {

// The statements of every step, oldest first; the current version is the
// number of steps.
const std::vector<QStringList> &migrationSteps();
int currentSchemaVersion();

// A reference of childTable.childColumn to parentTable.parentColumn.
struct Cascade
{
    QString childTable;
    QString childColumn;
    QString parentTable;
    QString parentColumn;
};
// The references declared ON DELETE CASCADE: deleting a parent row deletes
// these rows with it.
const std::vector<Cascade> &cascades();
// The references declared ON DELETE SET NULL.
const std::vector<Cascade> &nullingReferences();

// Every table of the current schema, parents before the tables that refer to
// them; ownIds: its rows get their ids from the database.
struct CopiedTable
{
    QString name;
    bool ownIds = false;
};
const std::vector<CopiedTable> &copiedTables();

// What the record holds that contradicts itself, in Polish, a sentence each
// (a participant whose hand-marked "passed" differs from the stored exam
// result, a certificate in force for a failed exam): reported at opening,
// never changed without the trainer.
bool recordContradictions(QSqlQuery &q, QStringList *notices);

} // namespace marbelo::db
