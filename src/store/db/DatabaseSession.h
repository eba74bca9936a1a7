// The one database of a data folder for the whole run of the program: opened
// and checked once, then handed to every window that needs it. A file found
// damaged or from a newer program stays refused for the run (it is never
// written to); one that could not be opened (a server out of reach) is tried
// again at the next use. A server's password, when libpq's password file has
// none, is asked for and kept in memory for the run.
#pragma once

#include "store/db/Database.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace marbelo {
class Messages;
}

namespace marbelo::db {

class DatabaseSession
{
public:
    explicit DatabaseSession(const QString &dataDir);
    ~DatabaseSession();
    DatabaseSession(const DatabaseSession &) = delete;
    DatabaseSession &operator=(const DatabaseSession &) = delete;

    // Runs once after the first successful opening (the demo questions go
    // into the bank); what it returns is told with the opening's notices.
    void setFirstOpening(std::function<QStringList(Database &)> firstOpening);

    // The open database, or null with the Polish reason in *error. The
    // notices of the opening (and of the first opening's work) are given
    // once, in *notices.
    Database *open(QString *error, QStringList *notices);
    // Asks for the password of the server's user (the prompt names both);
    // false when the user gives none.
    void setPasswordAsker(std::function<bool(const QString &prompt, QString *password)> asker);

    // True when the data folder has a database already: its file, or a server chosen.
    bool hasDatabase() const;
    // The data folder's choice changed elsewhere: the open database is
    // closed, and the next use opens what is chosen now.
    void reset();
    // Opens the database at location and, when it opens, makes it the data
    // folder's choice and the session's database. False with the Polish
    // reason when it cannot be opened: the choice and the open database stay.
    bool switchTo(const DatabaseLocation &location, QString *error, QStringList *notices);
    // The open database, or null after the reason was told; the opening's
    // notices are told too.
    Database *openTelling(Messages &messages);
    Database *current() const { return m_database && m_database->isOpen() ? m_database.get() : nullptr; }

private:
    std::unique_ptr<Database> openAt(DatabaseLocation location, QString *error);
    Database *opened(std::unique_ptr<Database> database, QStringList *notices);

    QString m_path;
    std::unique_ptr<Database> m_database;
    std::function<bool(const QString &, QString *)> m_askPassword;
    QString m_password;
    QString m_refusal;
    std::function<QStringList(Database &)> m_firstOpening;
};

} // namespace marbelo::db
