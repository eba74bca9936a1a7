// Windows: a file starts by its ".exe" name; there is no bit to set, only the
// copy to check.

#include "presentation/ExecutableFile.h"

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "store/TargetFiles.h"

#include <QFileInfo>

namespace marbelo {

bool makeExecutable(const QString &path)
{
    const QFileInfo info(path);
    return !isLink(path) && info.isFile() && info.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0;
}

} // namespace marbelo

#endif
