// database: which database a data folder uses, switching it between its file
// and a server, and copying a register between the two.

#include "Tool.h"
#include "store/db/Database.h"
#include "store/db/DatabaseCopy.h"

#include <QFileInfo>

using namespace marbelo;

namespace tool {

namespace {

bool folderExists(const QString &arg, int *result)
{
    if (QFileInfo(dataDirOf(arg)).isDir())
        return true;
    *result = fail(arg + QStringLiteral(": nie ma takiego folderu"));
    return false;
}

bool openAt(db::Database &database, int *result)
{
    QString error;
    if (database.open(&error))
        return true;
    *result = fail(error);
    return false;
}

} // namespace

int databaseShow(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("database: DATADIR expected"));
    int result = kOk;
    if (!folderExists(args[0], &result))
        return result;
    db::DatabaseLocation location;
    QString error;
    if (!db::chosenLocation(dataDirOf(args[0]), &location, &error))
        return fail(error);
    out() << (location.isServer() ? location.url() : QStringLiteral("file\t") + location.path) << '\n';
    return kOk;
}

int databaseUse(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("database use: DATADIR and postgresql://USER@HOST:PORT/DB or file expected"));
    int result = kOk;
    if (!folderExists(args[0], &result))
        return result;
    const QString dataDir = dataDirOf(args[0]);
    db::DatabaseLocation location = db::DatabaseLocation::file(db::Database::pathIn(dataDir));
    QString error;
    if (args[1] != QLatin1String("file")) {
        if (!db::DatabaseLocation::fromUrl(args[1], &location, &error))
            return usage(error);
        // Only a server that answers with a database this program can use is chosen.
        db::Database database(location);
        if (!openAt(database, &result))
            return result;
    }
    if (!db::chooseLocation(dataDir, location, &error))
        return fail(error);
    return kOk;
}

int databaseCopy(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--to"), QStringLiteral("--from")}, {}, &parsed) || parsed.positional.size() != 1
        || parsed.values.size() != 1)
        return usage(QStringLiteral("database copy: DATADIR and --to URL or --from URL expected"));
    int result = kOk;
    if (!folderExists(parsed.positional[0], &result))
        return result;
    const QString file = db::Database::pathIn(dataDirOf(parsed.positional[0]));
    const bool toServer = parsed.values.count(QStringLiteral("--to")) > 0;
    db::DatabaseLocation server;
    QString error;
    if (!db::DatabaseLocation::fromUrl(parsed.values.begin()->second, &server, &error))
        return usage(error);
    if (toServer && !QFileInfo::exists(file))
        return fail(QStringLiteral("%1: brak bazy kursów do skopiowania").arg(file));
    db::Database source(toServer ? db::DatabaseLocation::file(file) : server);
    db::Database target(toServer ? server : db::DatabaseLocation::file(file));
    if (!openAt(source, &result) || !openAt(target, &result))
        return result;
    if (!db::copyDatabase(source, target, &error))
        return fail(error);
    return kOk;
}

} // namespace tool
