#include "store/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace marbelo {

namespace {

bool isLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool isCapital(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

} // namespace

bool commitWhole(QSaveFile &file, QString *error)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        // Committing a cancelled save removes its temporary file.
        file.commit();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void removeStaleSaveFiles(const QString &path)
{
    const QFileInfo target(path);
    const QDir dir = target.absoluteDir();
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QStringList found =
        dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : found) {
        const QStringView tail = QStringView(name).mid(prefix.size());
        if (std::all_of(tail.begin(), tail.end(), isLetterOrDigit) && std::any_of(tail.begin(), tail.end(), isCapital))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace marbelo
