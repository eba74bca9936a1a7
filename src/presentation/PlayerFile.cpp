#include "presentation/PlayerFile.h"

#include <QDir>
#include <QFileInfo>

namespace marbelo {

QString findPresentation(const QStringList &arguments, const QString &playerDir)
{
    if (!arguments.isEmpty())
        return QFileInfo(arguments.first()).isFile() ? arguments.first() : QString();
    const QFileInfoList files = QDir(playerDir).entryInfoList({QStringLiteral("*.pnn")}, QDir::Files,
                                                              QDir::Time);
    return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

} // namespace marbelo
