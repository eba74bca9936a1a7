// Where a data folder's database lives: the file in the data folder (the
// default, which needs nothing) or a PostgreSQL server shared by a firm's
// trainers. The choice is the data folder's file "Database.conf", one line
// postgresql://USER@HOST:PORT/DB; no password is ever written there (libpq's
// own password file serves, or the program asks and keeps it in memory).
#pragma once

#include <QString>

#include <functional>

namespace marbelo::db {

inline const QString kDatabaseName = QStringLiteral("Courses.db");
inline const QString kLocationFileName = QStringLiteral("Database.conf");

struct DatabaseLocation
{
    enum class Kind { File, Server };
    Kind kind = Kind::File;
    QString path; // the file's path (Kind::File)
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password; // in memory only
    // The schema that holds the tables (empty: the user's default search path).
    QString schema;
    // Why the data folder's choice cannot be used (Polish); opening then fails with it.
    QString problem;

    bool isServer() const { return kind == Kind::Server; }
    static DatabaseLocation file(const QString &path);
    // postgresql://USER@HOST[:PORT]/DB; false with a Polish message when the
    // text is not such an address.
    static bool fromUrl(const QString &url, DatabaseLocation *location, QString *error);
    // A server's location from its parts, checked as fromUrl checks an address.
    static bool server(const QString &host, int port, const QString &database, const QString &user,
                       DatabaseLocation *location, QString *error);
    QString url() const;
    // What the messages call it: the file's name, or the server's database.
    QString shown() const;
};

// The location chosen for the data folder dataDir (with its trailing
// separator): the server its Database.conf names, else the file in it. False
// with a Polish message when Database.conf cannot be read or names no server.
bool chosenLocation(const QString &dataDir, DatabaseLocation *location, QString *error);
// Writes the choice whole (a server's address, or the file's: Database.conf removed).
bool chooseLocation(const QString &dataDir, const DatabaseLocation &location, QString *error);

// The location a Database made from a file path opens. By default the data
// folder's choice (the folder being the path's own); the tests of the server
// replace it so that every database they make lives on a throwaway server.
using LocationResolver = std::function<DatabaseLocation(const QString &path)>;
void setLocationResolver(LocationResolver resolver);
DatabaseLocation resolveLocation(const QString &path);

} // namespace marbelo::db
