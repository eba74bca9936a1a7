// Rows as they are stored, kept by column name, so that the undo of a
// deletion puts back exactly what was deleted: the row itself and every row
// that the schema's cascades deleted with it, whatever columns later
// migrations add or however they order them.
#pragma once

#include <QStringList>
#include <QVariantList>

#include <vector>

class QSqlQuery;

namespace marbelo::db {

struct TableRows
{
    QString table;
    QStringList columns;
    std::vector<QVariantList> rows;
};

// Parents before their dependents, in the order they can be inserted again.
using RowSnapshot = std::vector<TableRows>;

// The rows of table whose column holds one of keys, followed by every row
// that deleting them deletes with them. Run inside the deleting transaction.
bool snapshotRows(QSqlQuery &q, const QString &table, const QString &column, const QVariantList &keys,
                  RowSnapshot *snapshot);
// Inserts the rows again under their own keys. A reference the schema sets
// to NULL on deletion (a drawn question since removed from the bank) is
// restored as NULL when what it referred to is gone.
bool restoreRows(QSqlQuery &q, const RowSnapshot &snapshot);

} // namespace marbelo::db
