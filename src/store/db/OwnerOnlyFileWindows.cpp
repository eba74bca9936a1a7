// Windows: the data folder lies in the user's profile, whose access list
// already admits the owner only; the file is created there when missing.

#include "store/db/OwnerOnlyFile.h"

#include <QtGlobal>

#ifdef Q_OS_WIN

#include <QFile>

namespace marbelo::db {

bool makeOwnerOnlyFile(const QString &path)
{
    if (QFile::exists(path))
        return true;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

} // namespace marbelo::db

#endif
