#include "store/TargetFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace marbelo {

bool isLink(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymbolicLink() || info.isJunction();
}

bool openAtTarget(QSaveFile &file, QIODevice::OpenMode mode)
{
    // The save file resolves a link at its name and would write the file the
    // link points to; with the link gone it writes beside the name and
    // renames over it, which replaces whatever sits there by then.
    const QString path = file.fileName();
    if (isLink(path) && !QFile::remove(path))
        return false;
    if (!file.open(mode))
        return false;
    if (isLink(path)) {
        file.cancelWriting();
        file.commit(); // removes the temporary file
        return false;
    }
    return true;
}

bool removeAtTarget(const QString &path)
{
    const QFileInfo info(path);
    if (isLink(path))
        return QFile::remove(path);
    if (info.isDir())
        // Qt removes links met inside the folder as links.
        return QDir(path).removeRecursively();
    return !info.exists() || QFile::remove(path);
}

bool replaceFolder(const QString &ready, const QString &target)
{
    if (!QFileInfo::exists(target) && !isLink(target))
        return QDir().rename(ready, target);
    const QString aside = ready + QStringLiteral(".old");
    if (!QDir().rename(target, aside))
        return false;
    if (!QDir().rename(ready, target)) {
        QDir().rename(aside, target);
        return false;
    }
    removeAtTarget(aside);
    return true;
}

} // namespace marbelo
