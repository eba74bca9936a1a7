#include "store/DataLocation.h"

#include "store/DataFiles.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace marbelo {

namespace {

QString withSeparator(const QString &dir)
{
    QString path = QDir::fromNativeSeparators(dir);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString cleanDir(const QString &dir)
{
    return withSeparator(QDir::cleanPath(QDir::fromNativeSeparators(dir)));
}

// Whether a file can be made in dir: tried, since permission bits do not tell
// (Windows access lists, read-only mounts).
bool canWriteIn(const QString &dir)
{
    QTemporaryFile probe(dir + QStringLiteral(".marbelo-probe-XXXXXX"));
    return probe.open();
}

} // namespace

DataLocation DataLocation::portable(const QString &dir)
{
    DataLocation location;
    location.m_mode = Mode::Portable;
    location.m_dataDir = withSeparator(dir);
    location.m_sharedDir = location.m_dataDir;
    location.m_playerDir = location.m_dataDir;
    return location;
}

DataLocation DataLocation::installed(const QString &userDir, const QString &sharedDir, const QString &playerDir)
{
    DataLocation location;
    location.m_mode = Mode::Installed;
    location.m_dataDir = withSeparator(userDir);
    location.m_sharedDir = withSeparator(sharedDir);
    location.m_playerDir = withSeparator(playerDir);
    return location;
}

// Portable when the program folder already holds a catalogue, or when it is
// writable and is not a package's program folder. A package's program folder
// (/usr/bin) holds no front page of its own while its shared folder does; it
// is never taken for a data folder, even when writable (run as root).
DataLocation DataLocation::decide(const QString &programDir, const QString &userDir)
{
    const QString program = withSeparator(programDir);
    const QString shared = cleanDir(program + kSharedDirFromProgram);
    const QString player = cleanDir(program + kPlayerDirFromProgram);
    if (QFileInfo(program + kCatalogueName).isFile())
        return portable(program);
    const bool packaged =
        !QFileInfo::exists(program + kFrontPageName) && QFileInfo(shared + kFrontPageName).isFile();
    if (!packaged && canWriteIn(program))
        return portable(program);
    return installed(userDir, shared, player);
}

QString DataLocation::userDataDir()
{
    // The generic folder plus our own name: the application name is the
    // title shown in message boxes, not the folder's name.
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           QStringLiteral("marbelo/");
}

QStringList DataLocation::libraryDirs() const
{
    if (m_mode == Mode::Portable || m_sharedDir == m_dataDir)
        return {m_dataDir};
    return {m_sharedDir, m_dataDir};
}

QString DataLocation::frontPagePath() const
{
    return m_sharedDir + kFrontPageName;
}

QString DataLocation::helpPath() const
{
    return m_sharedDir + QStringLiteral("TarvixHelp.html");
}

QString DataLocation::demoQuestionsPath() const
{
    return m_sharedDir + QStringLiteral("Pytania.gift");
}

bool DataLocation::prepare(QString *error) const
{
    if (m_mode == Mode::Portable)
        return true;
    if (!QDir().mkpath(m_dataDir)) {
        if (error)
            *error = QStringLiteral("Nie udało się przygotować folderu danych programu %1: nie można utworzyć folderu.")
                         .arg(QDir::toNativeSeparators(m_dataDir));
        return false;
    }
    const QString catalogue = m_dataDir + kCatalogueName;
    if (QFileInfo::exists(catalogue))
        return true;
    return writeWholeFile(catalogue, QByteArray(), error);
}

} // namespace marbelo
