// POSIX: the player keeps the read bits a new file gets and can be executed by
// whoever can read it.

#include "presentation/ExecutableFile.h"

#include <QtGlobal>

#ifndef Q_OS_WIN

#include "store/TargetFiles.h"

#include <QFile>

namespace marbelo {

bool makeExecutable(const QString &path)
{
    constexpr QFileDevice::Permissions executable =
        QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    // Permissions would be set on what a link points to.
    if (isLink(path))
        return false;
    QFileDevice::Permissions permissions = QFile::permissions(path);
    if (permissions & QFileDevice::ReadGroup)
        permissions |= QFileDevice::ExeGroup;
    if (permissions & QFileDevice::ReadOther)
        permissions |= QFileDevice::ExeOther;
    permissions |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    return QFile::setPermissions(path, permissions) && (QFile::permissions(path) & executable);
}

} // namespace marbelo

#endif
