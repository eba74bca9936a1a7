#include "presentation/PlayerRuntime.h"

#include <QFile>
#include <QSet>

namespace marbelo {

bool isRuntimePath(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    if (parts.size() > 3)
        return false;
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
        for (const QChar c : part) {
            const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
                               || c == u'.' || c == u'_' || c == u'-' || c == u'+';
            if (!plain)
                return false;
        }
    }
    // The player and Autorun.inf are copied on their own; the list cannot replace them.
    static const QStringList own = {QStringLiteral("start.exe"), QStringLiteral("autorun.inf"),
                                    QStringLiteral("tarvixview.exe"), kPlayerRuntimeList.toLower()};
    return !own.contains(path.toLower());
}

PlayerRuntime playerRuntime(const QString &playerDir)
{
    PlayerRuntime runtime;
    QFile list(playerDir + kPlayerRuntimeList);
    if (!list.exists())
        return runtime;
    runtime.valid = false;
    if (!list.open(QIODevice::ReadOnly) || list.isSequential())
        return runtime;
    const QByteArray bytes = list.read(kMaxPlayerRuntimeListSize + 1);
    if (list.error() != QFileDevice::NoError || bytes.size() > kMaxPlayerRuntimeListSize)
        return runtime;
    QStringList files;
    QSet<QString> seen;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw.trimmed());
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!isRuntimePath(line) || files.size() == kMaxPlayerRuntimeFiles)
            return runtime;
        // Windows names differ in case only when they are the same file.
        if (seen.contains(line.toLower()))
            continue;
        seen.insert(line.toLower());
        files << line;
    }
    runtime.files = files;
    runtime.valid = true;
    return runtime;
}

} // namespace marbelo
