#include "store/db/DatabaseLocation.h"

#include "store/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace marbelo::db {

namespace {

LocationResolver &resolver()
{
    static LocationResolver current;
    return current;
}

constexpr qint64 kLocationFileLimit = 4096;

} // namespace

DatabaseLocation DatabaseLocation::file(const QString &path)
{
    DatabaseLocation location;
    location.path = path;
    return location;
}

bool DatabaseLocation::fromUrl(const QString &text, DatabaseLocation *location, QString *error)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString database = url.path().mid(1);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))
        || url.host().isEmpty() || url.userName().isEmpty() || database.isEmpty() || database.contains(QLatin1Char('/'))
        || !url.password().isEmpty() || url.hasQuery() || url.hasFragment() || url.port() == 0) {
        if (error)
            *error = QStringLiteral("„%1” nie jest adresem bazy w postaci postgresql://UŻYTKOWNIK@SERWER:PORT/BAZA"
                                    " (bez hasła).")
                         .arg(text.trimmed());
        return false;
    }
    DatabaseLocation server;
    server.kind = Kind::Server;
    server.host = url.host();
    server.port = url.port(5432);
    server.database = database;
    server.user = url.userName();
    *location = server;
    return true;
}

bool DatabaseLocation::server(const QString &host, int port, const QString &database, const QString &user,
                              DatabaseLocation *location, QString *error)
{
    DatabaseLocation parts;
    parts.kind = Kind::Server;
    parts.host = host.trimmed();
    parts.port = port;
    parts.database = database.trimmed();
    parts.user = user.trimmed();
    if (parts.host.isEmpty() || parts.database.isEmpty() || parts.user.isEmpty() || port <= 0 || port > 65535) {
        if (error)
            *error = QStringLiteral("Podaj serwer, port (1–65535), bazę i użytkownika.");
        return false;
    }
    return fromUrl(parts.url(), location, error);
}

QString DatabaseLocation::url() const
{
    if (!isServer())
        return QStringLiteral("file");
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(user);
    url.setHost(host);
    url.setPort(port);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

QString DatabaseLocation::shown() const
{
    return isServer() ? QStringLiteral("%1 na serwerze %2:%3").arg(database, host).arg(port)
                      : QFileInfo(path).fileName();
}

bool chosenLocation(const QString &dataDir, DatabaseLocation *location, QString *error)
{
    *location = DatabaseLocation::file(dataDir + kDatabaseName);
    QFile file(dataDir + kLocationFileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLocationFileLimit) {
        if (error)
            *error = QStringLiteral("Nie można odczytać wyboru bazy danych „%1”.").arg(file.fileName());
        return false;
    }
    const QString url = QString::fromUtf8(file.read(kLocationFileLimit)).trimmed();
    return DatabaseLocation::fromUrl(url, location, error);
}

bool chooseLocation(const QString &dataDir, const DatabaseLocation &location, QString *error)
{
    const QString path = dataDir + kLocationFileName;
    if (location.isServer())
        return writeWholeFile(path, (location.url() + QLatin1Char('\n')).toUtf8(), error);
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !QFile::remove(path)) {
        if (error)
            *error = QStringLiteral("Nie można usunąć wyboru bazy danych „%1”.").arg(path);
        return false;
    }
    return true;
}

void setLocationResolver(LocationResolver resolve)
{
    resolver() = std::move(resolve);
}

DatabaseLocation resolveLocation(const QString &path)
{
    if (resolver())
        return resolver()(path);
    if (QFileInfo(path).fileName() != kDatabaseName)
        return DatabaseLocation::file(path);
    // A choice that cannot be read opens nothing: never the file in its
    // place, which would start a second register beside the firm's.
    DatabaseLocation location;
    QString error;
    if (!chosenLocation(QFileInfo(path).path() + QLatin1Char('/'), &location, &error)) {
        location = DatabaseLocation{};
        location.kind = DatabaseLocation::Kind::Server;
        location.problem = error;
    }
    return location;
}

} // namespace marbelo::db
