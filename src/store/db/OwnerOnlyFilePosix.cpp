// POSIX: created with mode 0600 (O_EXCL, so an existing file or a link is
// never followed into), an existing file narrowed with chmod.

#include "store/db/OwnerOnlyFile.h"

#include <QtGlobal>

#ifndef Q_OS_WIN

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marbelo::db {

bool makeOwnerOnlyFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd >= 0)
        return ::close(fd) == 0;
    if (errno != EEXIST)
        return false;
    return ::chmod(name.constData(), S_IRUSR | S_IWUSR) == 0;
}

} // namespace marbelo::db

#endif
