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
    bool ok = false;
    // A statement without values runs as it is: the server prepares only
    // queries, never a transaction's or the schema's statements.
    if (values.isEmpty()) {
        ok = q.exec(sql);
    } else if ((ok = q.prepare(sql))) {
        for (const QVariant &value : values)
            // Truth values are stored as 0 and 1 in INTEGER columns on both back ends.
            q.addBindValue(value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value);
        ok = q.exec();
    }
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

bool insertRow(QSqlQuery &q, const QString &sql, const QVariantList &values, qint64 *id, QString *error)
{
    if (!run(q, sql + QStringLiteral(" RETURNING id"), values, error))
        return false;
    if (!q.next()) {
        if (error)
            *error = QStringLiteral("no id returned");
        return false;
    }
    *id = q.value(0).toLongLong();
    q.finish();
    return true;
}

QString withOwnId(bool own, const QString &insert, QVariantList *values)
{
    if (own)
        return insert;
    values->removeFirst();
    QString statement = insert;
    statement.replace(QLatin1String("(id, "), QLatin1String("("));
    statement.replace(QLatin1String("VALUES (?, "), QLatin1String("VALUES ("));
    return statement;
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

Database::Database(const QString &path)
    : m_path(path), m_location(resolveLocation(path)), m_connection(nextConnectionName())
{
}

Database::Database(DatabaseLocation location)
    : m_path(location.path), m_location(std::move(location)), m_connection(nextConnectionName())
{
}

Dialect Database::dialect() const
{
    return isServer() ? Dialect::Postgres : Dialect::Sqlite;
}

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
    m_notices.clear();
    return isServer() ? openServer(error) : openFile(error);
}

bool Database::openFile(QString *error)
{
    const QString shown = m_location.shown();
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
        if (!readSchemaVersion(q, Dialect::Sqlite, &version))
            return fail(State::Damaged, damaged, error);
    }
    if (!checkVersion(version, error))
        return false;
    {
        QSqlQuery q(handle);
        if (!run(q, QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok")
            || q.next())
            return fail(State::Damaged, damaged, error);
    }
    {
        QSqlQuery q(handle);
        QString reason;
        if (!run(q, QStringLiteral("PRAGMA foreign_keys = ON"), {}, &reason)
            || !run(q, QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutMs), {}, &reason)
            || !run(q, QStringLiteral("PRAGMA synchronous = FULL"), {}, &reason))
            return notPrepared(reason, error);
    }
    m_state = State::Open;
    if (!migrate(version, error))
        return false;
    // WAL only for a file that opened whole: switching rewrites the file's header.
    {
        QSqlQuery q(handle);
        QString reason;
        if (!run(q, QStringLiteral("PRAGMA journal_mode = WAL"), {}, &reason) || !q.next()
            || q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
            return notPrepared(reason, error);
    }
    checkRecord();
    return true;
}

bool Database::connectServer(QString *reason) const
{
    QSqlDatabase handle = QSqlDatabase::contains(m_connection)
                              ? QSqlDatabase::database(m_connection, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    handle.close();
    handle.setHostName(m_location.host);
    handle.setPort(m_location.port);
    handle.setDatabaseName(m_location.database);
    handle.setUserName(m_location.user);
    handle.setPassword(m_location.password);
    handle.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=marbelo"));
    if (!handle.open()) {
        *reason = handle.lastError().text();
        return false;
    }
    QSqlQuery q(handle);
    // The tables live in the location's schema when it names one.
    if (!m_location.schema.isEmpty()) {
        const QString schema = QLatin1Char('"') + QString(m_location.schema).remove(QLatin1Char('"')) + QLatin1Char('"');
        if (!run(q, QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(schema), {}, reason)
            || !run(q, QStringLiteral("SET search_path TO %1").arg(schema), {}, reason))
            return false;
    }
    // Texts travel as UTF-8; the dates and numbers the program binds are ISO.
    return run(q, QStringLiteral("SET client_encoding TO 'UTF8'"), {}, reason)
           && run(q, QStringLiteral("SET lock_timeout = %1").arg(kBusyTimeoutMs), {}, reason);
}

bool Database::openServer(QString *error)
{
    const QString shown = m_location.shown();
    if (!m_location.problem.isEmpty())
        return fail(State::Failed, m_location.problem + unavailable(), error);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return fail(State::Failed,
                    QStringLiteral("Brak sterownika PostgreSQL (pakiet libqt6sql6-psql).") + unavailable(), error);
    QString reason;
    if (!connectServer(&reason)) {
        // libpq says "no password supplied" or "password authentication failed".
        const bool password = reason.contains(QLatin1String("password"), Qt::CaseInsensitive);
        return fail(password ? State::NoPassword : State::Failed,
                    QStringLiteral("Nie można połączyć się z bazą kursów %1: %2.").arg(shown, reason.trimmed())
                        + QStringLiteral(" Kursy i zaświadczenia są niedostępne do czasu połączenia z serwerem;"
                                         " pozostała część programu działa."),
                    error);
    }
    int version = 0;
    {
        QSqlQuery q = query();
        if (!readSchemaVersion(q, Dialect::Postgres, &version))
            return notPrepared(q.lastError().text(), error);
    }
    if (!checkVersion(version, error))
        return false;
    m_state = State::Open;
    if (!migrate(version, error))
        return false;
    checkRecord();
    return true;
}

bool Database::checkVersion(int version, QString *error)
{
    if (version <= currentSchemaVersion() && version >= 0)
        return true;
    return fail(State::TooNew,
                QStringLiteral("Baza kursów „%1” pochodzi z nowszej wersji programu (schemat %2, ta wersja zna %3)"
                               " i nie zostanie zmieniona.")
                        .arg(m_location.shown())
                        .arg(version)
                        .arg(currentSchemaVersion())
                    + unavailable(),
                error);
}

bool Database::notPrepared(const QString &reason, QString *error)
{
    return fail(State::Failed,
                QStringLiteral("Nie można przygotować bazy kursów „%1”: %2.").arg(m_location.shown(), reason)
                    + unavailable(),
                error);
}

bool Database::migrate(int version, QString *error)
{
    if (version >= currentSchemaVersion())
        return true;
    const Dialect how = dialect();
    QString reason;
    const bool migrated = write(
        [how](QSqlQuery &q, QString *) {
            // Another process may have migrated between the check and the lock.
            int from = 0;
            if (!readSchemaVersion(q, how, &from))
                return false;
            const auto &steps = migrationSteps();
            for (int step = from; step < currentSchemaVersion(); ++step) {
                for (const QString &sql : steps[static_cast<size_t>(step)])
                    if (!run(q, schemaStatement(how, sql)))
                        return false;
            }
            return writeSchemaVersion(q, how, currentSchemaVersion());
        },
        &reason);
    // A database the migration cannot bring up to date is left as it was: its
    // transaction is rolled back (and a file's journal mode not yet changed).
    if (!migrated)
        return fail(State::Failed,
                    QStringLiteral("Baza kursów „%1” nie daje się uaktualnić do wersji tego programu"
                                   " i nie zostanie zmieniona.")
                            .arg(m_location.shown())
                        + unavailable(),
                    error);
    return true;
}

void Database::checkRecord()
{
    QSqlQuery q = query();
    // The check only reports: a database it cannot read through stays open
    // (the readers tell their own failures), and the user is told it was not checked.
    if (!recordContradictions(q, &m_notices))
        m_notices << QStringLiteral("Nie udało się sprawdzić, czy wyniki egzaminów i zaliczenia w bazie kursów „%1” "
                                    "są zgodne (%2).")
                         .arg(m_location.shown(), q.lastError().text());
}

int Database::schemaVersion() const
{
    QSqlQuery q = query();
    int version = -1;
    if (!isOpen() || !readSchemaVersion(q, dialect(), &version))
        return -1;
    return version;
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
    // A server restarted or a network gone and back: outside a writing
    // transaction (whose rest must not run on another connection), one new
    // connection when the old one no longer answers.
    if (isOpen() && isServer() && !m_writing) {
        QSqlQuery probe = query();
        QString lost;
        if (!run(probe, QStringLiteral("SELECT 1"), {}, &lost) && connectServer(&lost)) {
            q = query();
            if (run(q, sql, values, &reason))
                return true;
        }
    }
    if (error)
        *error = QStringLiteral("Nie udało się odczytać bazy kursów „%1” (%2).")
                     .arg(m_location.shown(), reason);
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
    if (!begin(q, &reason))
        return failed(reason);
    QString refused;
    m_writing = true;
    bool ok = body(q, &refused);
    m_writing = false;
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

bool Database::begin(QSqlQuery &q, QString *reason)
{
    const auto lock = [&] {
        for (const QString &sql : beginWriting(dialect()))
            if (!run(q, sql, {}, reason)) {
                QSqlQuery rollback = query();
                run(rollback, QStringLiteral("ROLLBACK"));
                return false;
            }
        return true;
    };
    if (lock())
        return true;
    // A server restarted or a network gone and back: one new connection.
    if (!isServer() || !connectServer(reason))
        return false;
    q = query();
    return lock();
}

} // namespace marbelo::db
