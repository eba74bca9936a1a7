#include "store/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace marbelo {

bool commitWhole(QSaveFile &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        // Closing ends the cancelled save: its temporary file goes away.
        file.commit();
        return false;
    }
    return file.commit();
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
        const bool temporary = std::all_of(tail.begin(), tail.end(),
                                           [](QChar c) {
                                               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
                                                      || (c >= u'0' && c <= u'9');
                                           })
                               && std::any_of(tail.begin(), tail.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
        if (temporary)
            QFile::remove(dir.filePath(name));
    }
}

} // namespace marbelo
