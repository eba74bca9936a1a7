#include "presentation/ExportPlan.h"

#include "presentation/PlayerRuntime.h"
#include "store/DataFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace marbelo {

QString presentationFolder(const QString &chosenPath)
{
    QString folder = QFileInfo(chosenPath).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

std::vector<SideFile> sideFiles(const QString &playerDir, const QString &folder)
{
    const QString &dataDir = playerDir;
    std::vector<SideFile> sides = {
        {dataDir + QStringLiteral("Common.dll"), folder + QStringLiteral("Common.dll"), false},
        {dataDir + QStringLiteral("Basic.dll"), folder + QStringLiteral("Basic.dll"), false},
        {dataDir + QStringLiteral("Shadow.dll"), folder + QStringLiteral("Shadow.dll"), false},
    };
    // What the player needs to start goes before it.
    for (const QString &file : playerRuntime(playerDir).files)
        sides.push_back({dataDir + file, folder + file, true});
    sides.push_back({dataDir + QStringLiteral("TarvixView.exe"), folder + QStringLiteral("Start.exe"), true});
    sides.push_back({dataDir + QStringLiteral("Autorun.inf"), folder + QStringLiteral("Autorun.inf"), true});
    return sides;
}

QString browserPageName(const QString &chosenPath)
{
    return QFileInfo(chosenPath).completeBaseName() + QStringLiteral(".html");
}

QString slideFolderName(const QString &chosenPath)
{
    return QFileInfo(chosenPath).completeBaseName() + QStringLiteral("-slajdy");
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return QDir::cleanPath(first.absoluteFilePath()) == QDir::cleanPath(second.absoluteFilePath());
}

bool namesFolder(const QString &chosenPath)
{
    const QString path = QDir::fromNativeSeparators(chosenPath);
    const QString name = QFileInfo(path).fileName();
    return path.isEmpty() || path.endsWith(QLatin1Char('/')) || name.isEmpty() || name == QLatin1String(".")
           || name == QLatin1String("..") || QFileInfo(path).isDir();
}

bool isProgramFileName(const QString &fileName)
{
    static const QStringList patterns = {
        QStringLiteral("*.pdl"),          QStringLiteral("*.mdl"),           QStringLiteral("*.fdl"),
        QStringLiteral("*.dll"),          QStringLiteral("TarvixHelp.html"), QStringLiteral("TarvixView.exe"),
        QStringLiteral("Autorun.inf"),    QStringLiteral("View.jpg"),        QStringLiteral("Copy.jpg"),
        QStringLiteral("View.pnn"),       QStringLiteral("marbelo"),         QStringLiteral("marbelo.exe"),
        QStringLiteral("marbelo-tool"),   QStringLiteral("marbelo-tool.exe")};
    for (const QString &pattern : patterns) {
        const QRegularExpression expression(QRegularExpression::wildcardToRegularExpression(pattern),
                                            QRegularExpression::CaseInsensitiveOption);
        if (expression.match(fileName).hasMatch())
            return true;
    }
    return false;
}

QString refusedTarget(const QString &chosenPath, const QString &dataDir, const QString &workPath,
                      int trainingNumber, const QString &playerDir, const QString &sharedDir)
{
    const QString name = QFileInfo(chosenPath).fileName();
    for (const QString &dir : {dataDir, playerDir, sharedDir}) {
        if (!dir.isEmpty() && sameFile(presentationFolder(chosenPath), dir) && isProgramFileName(name))
            return name;
    }
    QStringList taken = {workPath,
                         dataDir + kCatalogueName,
                         dataDir + kFrontPageName,
                         dataDir + outlineFileName(trainingNumber),
                         dataDir + imageStoreFileName(trainingNumber)};
    for (const SideFile &side : sideFiles(playerDir.isEmpty() ? dataDir : playerDir, presentationFolder(chosenPath)))
        taken << side.source << side.destination;
    taken << presentationFolder(chosenPath) + browserPageName(chosenPath);
    for (const QString &path : taken) {
        if (sameFile(chosenPath, path))
            return QFileInfo(path).fileName();
    }
    return QString();
}

QString programFileRefusal(TargetKind kind, const QString &taken)
{
    const QString what = kind == TargetKind::Pdf ? QStringLiteral("pliku PDF") : QStringLiteral("prezentacji");
    return QStringLiteral("Nie można zapisać %1 pod nazwą %2, ponieważ tego pliku używa program. "
                          "Wybierz inną nazwę pliku lub inny folder.")
        .arg(what, taken);
}

} // namespace marbelo
