// The program's database: one SQLite file in the data folder (Qt SQL's
// "QSQLITE" driver) for what the flat files do not hold. Opened with foreign
// keys on, in WAL mode, readable by its owner only; the schema version lives
// in PRAGMA user_version and older files are migrated at opening. A damaged
// file or one from a newer program is reported and never written to.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSqlQuery;

namespace marbelo::db {

inline const QString kDatabaseName = QStringLiteral("Courses.db");

class Database
{
public:
    enum class State { Closed, Open, Damaged, TooNew, Failed };

    explicit Database(const QString &path);
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
    int schemaVersion() const;
    // What the opening found the record to contradict itself in (Polish, a
    // sentence each); the file is left as it is, for the trainer to decide.
    const QStringList &notices() const { return m_notices; }

    // Runs body inside BEGIN IMMEDIATE ... COMMIT: other processes wait for
    // the write lock (busy timeout), and either all of body's changes land or
    // none. body returns false to roll back: with *refusal set (a Polish
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

    QString m_path;
    QString m_connection;
    State m_state = State::Closed;
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
// Runs a statement that must change exactly one row; when it changes none,
// refusal gets missing and the statement counts as failed.
bool runOnOneRow(QSqlQuery &q, const QString &sql, const QVariantList &values, const QString &missing,
                 QString *refusal);

} // namespace marbelo::db
