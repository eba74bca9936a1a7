#include "store/DataFiles.h"

#include <QDir>
#include <QFileInfo>

namespace marbelo {

namespace {
QString withTrailingSeparator(QString dir)
{
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
} // namespace

QString dataDirFromExecutable(const QString &executablePath)
{
    const QString path = QDir::fromNativeSeparators(executablePath);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return withTrailingSeparator(QDir::currentPath());
    return withTrailingSeparator(path.left(slash + 1));
}

QString temporaryDir()
{
    return withTrailingSeparator(QDir::fromNativeSeparators(QDir::tempPath()));
}

QString numberSuffix(int trainingNumber)
{
    return QStringLiteral("%1").arg(trainingNumber, 4, 10, QLatin1Char('0'));
}

QString outlineFileName(int trainingNumber)
{
    return QStringLiteral("Tree") + numberSuffix(trainingNumber) + QStringLiteral(".pdl");
}

QString imageStoreFileName(int trainingNumber)
{
    return QStringLiteral("Data") + numberSuffix(trainingNumber) + QStringLiteral(".pdl");
}

QString programmeFileName(int trainingNumber)
{
    return QStringLiteral("Plan") + numberSuffix(trainingNumber) + QStringLiteral(".pdl");
}

} // namespace marbelo
