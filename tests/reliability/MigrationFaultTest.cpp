// The course database of the version before employers, migrated at opening
// under a full disk: at every point the file either opens migrated with every
// row it had, or is refused with a message and stays byte for byte as it was.

#include "store/db/Database.h"
#include "store/db/Migrations.h"
#include "support/CourseData.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

constexpr int kVersionBeforeEmployers = 3;

// Every row of the tables that version had, column by column in its order.
QStringList rowsOfVersion3(QSqlQuery &q)
{
    QStringList rows;
    for (const char *table : {"organiser", "course", "participant", "certificate", "certificate_text", "exam",
                              "exam_result"}) {
        const QString columns = QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(QLatin1String(table));
        if (!q.exec(columns))
            return {QStringLiteral("unreadable ") + QLatin1String(table)};
        const QSqlRecord record = q.record();
        QStringList names;
        for (int i = 0; i < record.count(); ++i)
            if (record.fieldName(i) != QLatin1String("employer") && record.fieldName(i) != QLatin1String("interval_years")
                && record.fieldName(i) != QLatin1String("phone") && record.fieldName(i) != QLatin1String("email"))
                names << record.fieldName(i);
        q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(names.join(QLatin1Char(',')), QLatin1String(table)));
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < names.size(); ++i)
                values << q.value(i).toString();
            rows << QLatin1String(table) + QLatin1Char(':') + values.join(QLatin1Char('|'));
        }
    }
    return rows;
}

// A file as the version before employers left it: its schema, 40 participants
// of two courses with certificates and their texts, in rollback-journal mode.
QStringList makeVersion3(const QString &path)
{
    QStringList rows;
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v3"));
        connection.setDatabaseName(path);
        EXPECT_TRUE(connection.open());
        QSqlQuery q(connection);
        for (int step = 0; step < kVersionBeforeEmployers; ++step)
            for (const QString &sql : db::migrationSteps()[static_cast<std::size_t>(step)])
                EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        const QStringList fill = {
            QStringLiteral("INSERT INTO organiser VALUES (1, 'Ośrodek', 'ul. Polna 1', 'Wieś', 'N/RRRR', 0, NULL)"),
            QStringLiteral("INSERT INTO course (training, date_from, date_to, place, trainers, form, purpose)"
                           " VALUES (2, '2024-02-28', '2024-02-29', 'Sala', 'Jan', 'instruktaż', 'cel'),"
                           " (5, '2025-01-10', '2025-01-10', 'Sala', '', '', '')"),
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40)"
                           " INSERT INTO participant (course, first_name, surname, birth_date, birth_place, position,"
                           " passed) SELECT 1 + i % 2, 'Imię' || i, 'Łąka' || i, '1980-01-01', 'Łódź', 'spawacz', 1"
                           " FROM n"),
            QStringLiteral("INSERT INTO certificate (series, serial, number, participant, issued)"
                           " SELECT 0, id, id || '/2024', id, '2024-03-01' FROM participant"),
            QStringLiteral("INSERT INTO certificate_text SELECT z.id, p.first_name, p.surname, p.birth_date,"
                           " p.birth_place, 'Okresowe', 2, 'instruktaż', 'cel', '2024-02-28', '2024-02-29',"
                           " 'Ośrodek', 'ul. Polna 1', 'Wieś', '[]' FROM certificate z JOIN participant p"
                           " ON p.id = z.participant"),
            QStringLiteral("PRAGMA user_version = %1").arg(kVersionBeforeEmployers),
        };
        for (const QString &sql : fill)
            EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        rows = rowsOfVersion3(q);
        connection.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v3"));
    return rows;
}

} // namespace

TEST(MigrationFaultTest, FullDiskWhileMigratingToEmployers)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    TempDataDir dir;
    const QString path = db::Database::pathIn(dir.path());
    const QStringList rows = makeVersion3(path);
    ASSERT_EQ(rows.size(), 1 + 2 + 40 + 40 + 40);
    const QByteArray original = readFile(path);
    FaultRow row;
    row.writer = QStringLiteral("course database: migration to employers and the register's counter (steps 4 and 5)");
    // Every 512 bytes up to twice the file (the journal and the WAL), then without a limit.
    for (qint64 limit = 0;; limit += 512) {
        const bool unlimited = limit > 2 * original.size();
        writeFile(path, original);
        for (const char *suffix : {"-wal", "-shm", "-journal"})
            QFile::remove(path + QLatin1String(suffix));
        QString error;
        bool opened = false;
        {
            db::Database database(path);
            FileSizeLimit fileLimit;
            if (!unlimited) {
                ASSERT_TRUE(fileLimit.set(limit));
            }
            opened = database.open(&error);
            fileLimit.clear();
            if (opened) {
                QSqlQuery q = database.query();
                // The counter starts where the register's numbers end.
                if (database.schemaVersion() == db::currentSchemaVersion() && rowsOfVersion3(q) == rows
                    && registerProblem(database).isEmpty())
                    ++row.whole;
                else
                    row.defects << QStringLiteral("limit %1: opened without every row at version %2")
                                       .arg(limit)
                                       .arg(database.schemaVersion());
            }
        }
        ++row.points;
        if (!opened) {
            if (!error.isEmpty() && readFile(path) == original)
                ++row.refused;
            else
                row.defects << QStringLiteral("limit %1: refused, the file %2").arg(limit).arg(
                    readFile(path) == original ? QStringLiteral("kept, untold") : QStringLiteral("changed"));
        }
        if (unlimited) {
            EXPECT_TRUE(opened) << error.toStdString();
            break;
        }
    }
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(row.refused, 0);
}
