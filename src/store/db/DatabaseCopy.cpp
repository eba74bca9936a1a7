#include "store/db/DatabaseCopy.h"

#include "store/db/Database.h"
#include "store/db/Migrations.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace marbelo::db {

bool copyDatabase(Database &source, Database &target, QString *error)
{
    QSqlQuery listing = source.query();
    QStringList present;
    if (!listTables(listing, source.dialect(), &present)) {
        *error = QStringLiteral("Nie udało się odczytać tabel bazy %1 (%2).")
                     .arg(source.location().shown(), listing.lastError().text());
        return false;
    }
    QStringList known;
    for (const CopiedTable &table : copiedTables())
        known << table.name;
    for (const QString &table : present)
        if (!known.contains(table)) {
            *error = QStringLiteral("Baza %1 ma tabelę „%2”, której ta wersja programu nie zna; kopiowanie odmówione.")
                         .arg(source.location().shown(), table);
            return false;
        }
    return target.write(
        [&](QSqlQuery &q, QString *refusal) {
            for (const CopiedTable &table : copiedTables()) {
                if (!run(q, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table.name)) || !q.next())
                    return false;
                if (q.value(0).toLongLong() > 0) {
                    *refusal = QStringLiteral("Baza docelowa %1 nie jest pusta (tabela „%2”); kopiowanie odmówione,"
                                              " nic nie zostało zmienione.")
                                   .arg(target.location().shown(), table.name);
                    return false;
                }
            }
            for (const CopiedTable &table : copiedTables()) {
                QSqlQuery rows = source.query();
                if (!source.read(rows, QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table.name), {}, refusal))
                    return false;
                const QSqlRecord record = rows.record();
                QStringList columns;
                QStringList marks;
                for (int i = 0; i < record.count(); ++i) {
                    columns << record.fieldName(i);
                    marks << QStringLiteral("?");
                }
                const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                           .arg(table.name, columns.join(QStringLiteral(", ")),
                                                marks.join(QStringLiteral(", ")));
                while (rows.next()) {
                    QVariantList values;
                    for (int i = 0; i < record.count(); ++i)
                        values << rows.value(i);
                    if (!run(q, insert, values))
                        return false;
                }
                if (rows.lastError().isValid()) {
                    *refusal = QStringLiteral("Nie udało się odczytać tabeli „%1” bazy %2 (%3).")
                                   .arg(table.name, source.location().shown(), rows.lastError().text());
                    return false;
                }
                if (table.ownIds && !followIds(q, target.dialect(), table.name))
                    return false;
            }
            return true;
        },
        error);
}

} // namespace marbelo::db
