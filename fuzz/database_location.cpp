// A data folder's Database.conf as anyone may have written it: any bytes give
// a refusal with a message, or a server location whose parts are all there
// (no password among them) and whose address reads back to the same parts.

#include "FuzzSupport.h"

#include "store/db/DatabaseLocation.h"

#include <QFile>
#include <QTemporaryDir>

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString dataDir = dir.path() + QLatin1Char('/');
    {
        QFile file(dataDir + db::kLocationFileName);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) == qint64(size));
    }
    db::DatabaseLocation location;
    QString error;
    if (!db::chosenLocation(dataDir, &location, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(location.isServer());
    FUZZ_CHECK(!location.host.isEmpty() && !location.user.isEmpty() && !location.database.isEmpty());
    FUZZ_CHECK(location.port > 0 && location.port <= 65535 && location.password.isEmpty());
    db::DatabaseLocation again;
    FUZZ_CHECK(db::DatabaseLocation::fromUrl(location.url(), &again, &error));
    FUZZ_CHECK(again.host == location.host && again.port == location.port && again.user == location.user
               && again.database == location.database);
    return 0;
}
