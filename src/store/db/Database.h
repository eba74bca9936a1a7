// The program's database for what the flat files do not hold: one SQLite
// file in the data folder (Qt SQL's "QSQLITE" driver), or a firm's
// PostgreSQL server ("QPSQL") that several trainers share, with the same
// schema and migrations. The file is opened with foreign keys on, in WAL
// mode, readable by its owner only. Older schemas are migrated at opening; a
// damaged file or a database from a newer program is reported and never
// written to. What differs between the two dialects stays in this folder.
#pragma once

#include "store/db/DatabaseLocation.h"
#include "store/db/Dialect.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSqlQuery;

namespace marbelo::db {

class Database
{
public:
    enum class State { Closed, Open, Damaged, TooNew, Failed, NoPassword };

    // The database a file path stands for: the file itself, or the server
    // its data folder has chosen (see resolveLocation).
    explicit Database(const QString &path);
    explicit Database(DatabaseLocation location);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // The database of the data folder dataDir (with its trailing separator).
    static QString pathIn(const QString &dataDir);

    // Opens (creating when missing) and migrates. False with a Polish
    // message when the file is damaged, newer or cannot be opened; the file
    // is then left exactly as it was.
    bool open(QString *error = nullptr);
    State state() const { return m_state; }
    bool isOpen() const { return m_state == State::Open; }
    const QString &path() const { return m_path; }
    const DatabaseLocation &location() const { return m_location; }
    bool isServer() const { return m_location.isServer(); }
    Dialect dialect() const;
    int schemaVersion() const;
    // What the opening found the record to contradict itself in (Polish, a
    // sentence each); the file is left as it is, for the trainer to decide.
    const QStringList &notices() const { return m_notices; }

    // Runs body inside one transaction that holds the database's write lock
    // (BEGIN IMMEDIATE on the file, an advisory lock on the server): other
    // processes wait for it, and either all of body's changes land or none.
    // On the server, a connection found lost is opened again once. body returns false to roll back: with *refusal set (a Polish
    // message, passed on as it is) when it refuses the change, without it when
    // a statement on its query failed. False with a Polish message on any
    // failure.
    bool write(const std::function<bool(QSqlQuery &, QString *)> &body, QString *error = nullptr);

    // A query on this connection, for reading.
    QSqlQuery query() const;
    // Runs a reading statement on q (a query of this connection); false with
    // a Polish message in *error when the database is not open or the
    // statement fails (a locked, damaged or vanished file), so that a failed
    // read is never taken for an empty one.
    bool read(QSqlQuery &q, const QString &sql, const QVariantList &values, QString *error) const;

private:
    bool fail(State state, const QString &message, QString *error);
    bool openFile(QString *error);
    bool openServer(QString *error);
    bool connectServer(QString *reason) const;
    bool checkVersion(int version, QString *error);
    bool notPrepared(const QString &reason, QString *error);
    bool migrate(int version, QString *error);
    void checkRecord();
    bool begin(QSqlQuery &q, QString *reason);

    QString m_path;
    DatabaseLocation m_location;
    QString m_connection;
    State m_state = State::Closed;
    bool m_writing = false; // inside write's body
    QStringList m_notices;
};

// The text as a bound value, trimmed; never NULL (an empty QString binds as
// NULL, which the NOT NULL columns refuse).
QVariant text(const QString &value);

// A list of texts in one column, stored as a JSON array, and read back.
QString textListValue(const QStringList &texts);
QStringList textListFrom(const QString &stored);

// Runs sql with the bound values on q; false with the driver's text in
// *error when it fails.
bool run(QSqlQuery &q, const QString &sql, const QVariantList &values = {}, QString *error = nullptr);
// Runs an INSERT with the bound values and gives the new row's id (the
// statement gets "RETURNING id", which both back ends understand).
bool insertRow(QSqlQuery &q, const QString &sql, const QVariantList &values, qint64 *id, QString *error = nullptr);
// An INSERT whose first column is "id" and first value the row's own id: as
// it is when the row keeps its id (an undone deletion put back), else without
// both, so that the back end gives the next id.
QString withOwnId(bool own, const QString &insert, QVariantList *values);
// Runs a statement that must change exactly one row; when it changes none,
// refusal gets missing and the statement counts as failed.
bool runOnOneRow(QSqlQuery &q, const QString &sql, const QVariantList &values, const QString &missing,
                 QString *refusal);

} // namespace marbelo::db
