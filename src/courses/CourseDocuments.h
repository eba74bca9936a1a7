// The course documents as A4 PDFs on the shared documents layer: the
// attendance list (one page per day), the certificates (front and, on the
// reverse, the training's programme with hours: two pages per certificate,
// for duplex printing) and the register of certificates. Drawing text needs
// a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QString>

namespace marbelo {

namespace db {
class Database;
}

// Each writes the document whole through the atomic save; false with a
// Polish message when the file keeps what it had (or the data cannot be read).
bool saveAttendanceList(db::Database &database, const QString &dataDir, qint64 course, const QString &path,
                        QString *error);
// Every certificate in force of the course, or of one participant when
// participant > 0, in the register's order.
bool saveCertificates(db::Database &database, const QString &dataDir, qint64 course, qint64 participant,
                      const QString &path, QString *error);
bool saveRegisterDocument(db::Database &database, const QString &dataDir, const QString &path, QString *error);

} // namespace marbelo
