#include "store/db/RowSnapshot.h"

#include "store/db/Database.h"
#include "store/db/Migrations.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace marbelo::db {

namespace {

QString placeholders(qsizetype count)
{
    return QStringList(count, QStringLiteral("?")).join(QStringLiteral(", "));
}

bool readRows(QSqlQuery &q, const QString &table, const QString &column, const QVariantList &keys,
              RowSnapshot *snapshot)
{
    if (keys.isEmpty())
        return true;
    if (!run(q, QStringLiteral("SELECT * FROM %1 WHERE %2 IN (%3)").arg(table, column, placeholders(keys.size())),
             keys))
        return false;
    TableRows rows{table, {}, {}};
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        rows.columns << record.fieldName(i);
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < record.count(); ++i)
            row << q.value(i);
        rows.rows.push_back(row);
    }
    if (rows.rows.empty())
        return true;
    snapshot->push_back(rows);
    const TableRows stored = snapshot->back();
    for (const Cascade &cascade : cascades()) {
        if (cascade.parentTable != table)
            continue;
        const qsizetype at = stored.columns.indexOf(cascade.parentColumn);
        if (at < 0)
            return false;
        QVariantList parentKeys;
        for (const QVariantList &row : stored.rows)
            parentKeys << row.value(at);
        if (!readRows(q, cascade.childTable, cascade.childColumn, parentKeys, snapshot))
            return false;
    }
    return true;
}

// The reference at column of the row, or NULL when the schema nulls it on
// deletion and the row it names is gone.
bool referenceStillThere(QSqlQuery &q, const QString &table, const QString &column, const QVariant &value,
                         bool *there)
{
    *there = true;
    if (value.isNull())
        return true;
    for (const Cascade &reference : nullingReferences()) {
        if (reference.childTable != table || reference.childColumn != column)
            continue;
        if (!run(q, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(reference.parentTable, reference.parentColumn),
                 {value}))
            return false;
        *there = q.next();
    }
    return true;
}

} // namespace

bool snapshotRows(QSqlQuery &q, const QString &table, const QString &column, const QVariantList &keys,
                  RowSnapshot *snapshot)
{
    snapshot->clear();
    return readRows(q, table, column, keys, snapshot);
}

bool restoreRows(QSqlQuery &q, const RowSnapshot &snapshot)
{
    for (const TableRows &rows : snapshot) {
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(rows.table, rows.columns.join(QStringLiteral(", ")),
                                     placeholders(rows.columns.size()));
        for (QVariantList row : rows.rows) {
            for (qsizetype i = 0; i < row.size(); ++i) {
                bool there = true;
                if (!referenceStillThere(q, rows.table, rows.columns[i], row[i], &there))
                    return false;
                if (!there)
                    row[i] = QVariant();
            }
            if (!run(q, sql, row))
                return false;
        }
    }
    return true;
}

} // namespace marbelo::db
