#include "support/ServerBackEnd.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace testing_support {

using marbelo::db::DatabaseLocation;

QString testServerUrl()
{
    QFile file(qEnvironmentVariableIsEmpty("MARBELO_TEST_ON_SERVER") ? qEnvironmentVariable("MARBELO_TEST_POSTGRESQL")
                                                                     : qEnvironmentVariable("MARBELO_TEST_ON_SERVER"));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

DatabaseLocation serverLocation(const QString &key)
{
    DatabaseLocation location;
    if (!DatabaseLocation::fromUrl(testServerUrl(), &location, nullptr))
        return location;
    location.schema = QStringLiteral("t")
                      + QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
    return location;
}

QString freshServerDatabase()
{
    static int made = 0;
    DatabaseLocation location;
    if (!DatabaseLocation::fromUrl(testServerUrl(), &location, nullptr))
        return QString();
    const QString name = QStringLiteral("d%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    bool ok = false;
    {
        QSqlDatabase server = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("fresh"));
        server.setHostName(location.host);
        server.setPort(location.port);
        server.setUserName(location.user);
        server.setDatabaseName(location.database);
        ok = server.open() && server.exec(QStringLiteral("CREATE DATABASE %1").arg(name)).lastError().type()
                                  == QSqlError::NoError;
        server.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fresh"));
    if (!ok)
        return QString();
    location.database = name;
    return location.url();
}

void putDatabasesOnServerWhenAsked()
{
    if (qEnvironmentVariableIsEmpty("MARBELO_TEST_ON_SERVER"))
        return;
    marbelo::db::setLocationResolver([](const QString &path) { return serverLocation(QFileInfo(path).absoluteFilePath()); });
}

bool restartTestServer()
{
    const QString dir = QFileInfo(qEnvironmentVariable("MARBELO_TEST_POSTGRESQL")).absolutePath();
    if (dir.isEmpty())
        return false;
    return QProcess::execute(QStringLiteral(MARBELO_POSTGRES_CLUSTER), {QStringLiteral("restart"), dir}) == 0;
}

} // namespace testing_support
