// The one database of a data folder for the whole run of the program: opened
// and checked once, then handed to every window that needs it. A file found
// damaged or from a newer program stays refused for the run (it is never
// written to); one that could not be opened is tried again at the next use.
#pragma once

#include "store/db/Database.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

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
    // True when the data folder already has a database file.
    bool fileExists() const;
    Database *current() const { return m_database && m_database->isOpen() ? m_database.get() : nullptr; }

private:
    QString m_path;
    std::unique_ptr<Database> m_database;
    QString m_refusal;
    std::function<QStringList(Database &)> m_firstOpening;
};

} // namespace marbelo::db
