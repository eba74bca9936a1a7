#include "store/WholeFile.h"

#include "store/SaveFile.h"
#include "store/TargetFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace marbelo {

bool writeWholeFile(const QString &path, const FileContent &content, QString *error, QIODevice::OpenMode mode)
{
    QSaveFile file(path);
    QString refusal;
    QString reason;
    if (!openAtTarget(file, mode)) {
        reason = file.errorString();
    } else if (!content(file, &refusal)) {
        // A write the disk took only in part fails without an error of its own.
        reason = file.error() == QFileDevice::NoError ? QStringLiteral("nie udało się zapisać wszystkich danych")
                                                      : file.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
    } else if (commitWhole(file, &reason)) {
        return true;
    }
    if (error)
        *error = refusal.isEmpty() ? fileNotWritten(path, reason) : refusal;
    return false;
}

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeWholeFile(
        path, [&bytes](QFileDevice &file, QString *) { return file.write(bytes) == bytes.size(); }, error);
}

QString fileNotWritten(const QString &path, const QString &reason)
{
    // A failed save leaves a file at path as it was (only a link there is
    // removed): a file found there now is the one that was there before.
    const bool kept = QFileInfo(path).isFile() && !isLink(path);
    return QStringLiteral("Nie zapisano pliku „%1” (%2)%3.")
        .arg(QDir::toNativeSeparators(path), reason,
             kept ? QStringLiteral("; plik, który tam był, pozostał bez zmian") : QString());
}

} // namespace marbelo
