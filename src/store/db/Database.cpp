#include "store/db/Database.h"

#include "store/db/Migrations.h"
#include "store/db/OwnerOnlyFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace marbelo::db {

namespace {

constexpr int kBusyTimeoutMs = 30000;

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("marbelo-db-%1").arg(counter.fetch_add(1));
}

QString unavailable()
{
    return QStringLiteral(" Kursy i zaświadczenia są niedostępne; pozostała część programu działa.");
}

} // namespace

QVariant text(const QString &value)
{
    const QString trimmed = value.trimmed();
    return trimmed.isNull() ? QVariant(QStringLiteral("")) : QVariant(trimmed);
}

QString textListValue(const QStringList &texts)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
}

QStringList textListFrom(const QString &stored)
{
    QStringList texts;
    for (const QJsonValue &value : QJsonDocument::fromJson(stored.toUtf8()).array())
        texts << value.toString();
    return texts;
}

bool run(QSqlQuery &q, const QString &sql, const QVariantList &values, QString *error)
{
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant &value : values)
            q.addBindValue(value);
        ok = q.exec();
    }
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

bool runOnOneRow(QSqlQuery &q, const QString &sql, const QVariantList &values, const QString &missing,
                 QString *refusal)
{
    if (!run(q, sql, values))
        return false;
    if (q.numRowsAffected() != 1) {
        *refusal = missing;
        return false;
    }
    return true;
}

Database::Database(const QString &path) : m_path(path), m_connection(nextConnectionName()) {}

Database::~Database()
{
    {
        QSqlDatabase handle = QSqlDatabase::database(m_connection, false);
        if (handle.isValid())
            handle.close();
    }
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

QString Database::pathIn(const QString &dataDir)
{
    return dataDir + kDatabaseName;
}

bool Database::fail(State state, const QString &message, QString *error)
{
    m_state = state;
    {
        QSqlDatabase handle = QSqlDatabase::database(m_connection, false);
        if (handle.isValid())
            handle.close();
    }
    if (error)
        *error = message;
    return false;
}

bool Database::open(QString *error)
{
    const QString shown = QFileInfo(m_path).fileName();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return fail(State::Failed,
                    QStringLiteral("Brak sterownika SQLite (pakiet libqt6sql6-sqlite).") + unavailable(), error);
    if (!makeOwnerOnlyFile(m_path))
        return fail(State::Failed,
                    QStringLiteral("Nie można utworzyć bazy kursów „%1” dostępnej tylko dla właściciela.").arg(shown)
                        + unavailable(),
                    error);

    QSqlDatabase handle = QSqlDatabase::contains(m_connection)
                              ? QSqlDatabase::database(m_connection, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    handle.setDatabaseName(m_path);
    handle.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!handle.open())
        return fail(State::Failed,
                    QStringLiteral("Nie można otworzyć bazy kursów „%1”: %2.").arg(shown, handle.lastError().text())
                        + unavailable(),
                    error);

    const QString damaged = QStringLiteral("Baza kursów „%1” jest uszkodzona i nie zostanie zmieniona.").arg(shown)
                            + unavailable();
    // Only reads until the file is known to be sound and not newer.
    int version = 0;
    {
        QSqlQuery q(handle);
        if (!run(q, QStringLiteral("PRAGMA user_version")) || !q.next())
            return fail(State::Damaged, damaged, error);
        version = q.value(0).toInt();
    }
    if (version > currentSchemaVersion() || version < 0)
        return fail(State::TooNew,
                    QStringLiteral("Baza kursów „%1” pochodzi z nowszej wersji programu (schemat %2, ta wersja zna %3)"
                                   " i nie zostanie zmieniona.")
                            .arg(shown)
                            .arg(version)
                            .arg(currentSchemaVersion())
                        + unavailable(),
                    error);
    {
        QSqlQuery q(handle);
        if (!run(q, QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok")
            || q.next())
            return fail(State::Damaged, damaged, error);
    }

    const auto notPrepared = [&](const QString &reason) {
        return fail(State::Failed,
                    QStringLiteral("Nie można przygotować bazy kursów „%1”: %2.").arg(shown, reason) + unavailable(),
                    error);
    };
    {
        QSqlQuery q(handle);
        QString reason;
        if (!run(q, QStringLiteral("PRAGMA foreign_keys = ON"), {}, &reason)
            || !run(q, QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutMs), {}, &reason)
            || !run(q, QStringLiteral("PRAGMA synchronous = FULL"), {}, &reason))
            return notPrepared(reason);
    }
    m_state = State::Open;

    if (version < currentSchemaVersion()) {
        QString reason;
        const bool migrated = write(
            [](QSqlQuery &q, QString *) {
                // Another process may have migrated between the check and the lock.
                if (!run(q, QStringLiteral("PRAGMA user_version")) || !q.next())
                    return false;
                const int from = q.value(0).toInt();
                const auto &steps = migrationSteps();
                for (int step = from; step < currentSchemaVersion(); ++step) {
                    for (const QString &sql : steps[static_cast<size_t>(step)])
                        if (!run(q, sql))
                            return false;
                }
                return run(q, QStringLiteral("PRAGMA user_version = %1").arg(currentSchemaVersion()));
            },
            &reason);
        // A file the migration cannot bring up to date is left as it was: its
        // transaction is rolled back, and its journal mode not yet changed.
        if (!migrated)
            return fail(State::Failed,
                        QStringLiteral("Baza kursów „%1” nie daje się uaktualnić do wersji tego programu"
                                       " i nie zostanie zmieniona.")
                                .arg(shown)
                            + unavailable(),
                        error);
    }
    // WAL only for a file that opened whole: switching rewrites the file's header.
    {
        QSqlQuery q(handle);
        QString reason;
        if (!run(q, QStringLiteral("PRAGMA journal_mode = WAL"), {}, &reason) || !q.next()
            || q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
            return notPrepared(reason);
    }
    m_notices.clear();
    QSqlQuery q(handle);
    // The check only reports: a file it cannot read through stays open (the
    // readers tell their own failures), and the user is told it was not checked.
    if (!recordContradictions(q, &m_notices))
        m_notices << QStringLiteral("Nie udało się sprawdzić, czy wyniki egzaminów i zaliczenia w bazie kursów „%1” "
                                    "są zgodne (%2).")
                         .arg(shown, q.lastError().text());
    return true;
}

int Database::schemaVersion() const
{
    QSqlQuery q = query();
    if (!isOpen() || !run(q, QStringLiteral("PRAGMA user_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QSqlQuery Database::query() const
{
    return QSqlQuery(QSqlDatabase::database(m_connection, false));
}

bool Database::read(QSqlQuery &q, const QString &sql, const QVariantList &values, QString *error) const
{
    QString reason = QStringLiteral("baza nie jest otwarta");
    if (isOpen() && run(q, sql, values, &reason))
        return true;
    if (error)
        *error = QStringLiteral("Nie udało się odczytać bazy kursów „%1” (%2).")
                     .arg(QFileInfo(m_path).fileName(), reason);
    return false;
}

bool Database::write(const std::function<bool(QSqlQuery &, QString *)> &body, QString *error)
{
    QString reason;
    const auto failed = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("Nie udało się zapisać zmian w bazie kursów (%1); baza pozostaje bez zmian.")
                         .arg(why);
        return false;
    };
    if (!isOpen())
        return failed(QStringLiteral("baza nie jest otwarta"));
    QSqlQuery q = query();
    if (!run(q, QStringLiteral("BEGIN IMMEDIATE"), {}, &reason))
        return failed(reason);
    QString refused;
    bool ok = body(q, &refused);
    if (!ok && refused.isEmpty())
        reason = q.lastError().text();
    if (ok)
        ok = run(q, QStringLiteral("COMMIT"), {}, &reason);
    if (!ok) {
        q.finish();
        QSqlQuery rollback = query();
        run(rollback, QStringLiteral("ROLLBACK"));
        // A refusal by body is the caller's own message, shown as it is.
        if (!refused.isEmpty()) {
            if (error)
                *error = refused;
            return false;
        }
        return failed(reason);
    }
    return true;
}

} // namespace marbelo::db
