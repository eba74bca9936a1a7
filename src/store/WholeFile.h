// The one way a whole file is written: a save file opened at the destination
// without following a link there (TargetFiles), cancelled on any error and
// committed with commitWhole (SaveFile), so the destination holds either the
// old file or the whole new one. A failure is told in one Polish sentence
// that names the file and the reason.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

class QFileDevice;

namespace marbelo {

// Writes the file's contents into the open save file. False cancels the save:
// either a write failed (the file tells why) or the contents cannot be
// written, said in refusal, which then becomes the writer's error as it is.
using FileContent = std::function<bool(QFileDevice &file, QString *refusal)>;

// Writes path whole. False when anything failed, with error (when given) set
// to the content's refusal or to fileNotWritten.
bool writeWholeFile(const QString &path, const FileContent &content, QString *error = nullptr,
                    QIODevice::OpenMode mode = QIODevice::WriteOnly);
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// "Nie zapisano pliku „path” (reason)", followed by the assurance that the
// file there stays as it was when a file is there.
QString fileNotWritten(const QString &path, const QString &reason);

} // namespace marbelo
