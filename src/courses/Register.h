// The register of certificates: numbers given without gaps and never reused.
// Issuing takes the database's write lock, so two programs issuing at once
// (on one file or one server) take turns, and a number is either given whole
// with its certificate or not at all.
#pragma once

#include "courses/CourseTypes.h"

#include <vector>

class QSqlQuery;

namespace marbelo {

namespace db {
class Database;
}

// Why certificates of the course cannot be issued dated issued, or empty:
// only once the course's last day has come, dated from that day to today,
// and never before the latest date already in the register's series, so
// that numbers and dates run together. latest: that date (invalid: none).
QString issueDateProblem(const Course &course, const QDate &issued, const QDate &latest);
// The date of issue to propose: the course's last day, or the register's
// latest date when that is later.
QDate proposedIssueDate(db::Database &database, const Course &course, QString *error = nullptr);

// Takes the next number of the register's series (0: numbering continuous
// across years, else the year) from its counter row, inside the caller's
// writing transaction; a rollback gives it back.
bool takeSerial(QSqlQuery &q, int series, int *serial);

// Gives each participant of the course who passed (by the stored exam
// result, else as marked) and has no certificate in force the register's
// next number, in Polish alphabetical order, dated issued, and stores with it
// everything the certificate prints (dataDir: the training's outline and
// catalogue); all in one transaction. *count says how many were issued.
// Refused (false, with a Polish message) when no organiser has been entered
// or the date is refused.
bool issueCertificates(db::Database &database, const QString &dataDir, qint64 course, const QDate &issued,
                       int *count, QString *error);

// Marks a certificate cancelled with its reason; its number stays in the
// register and is never given again.
bool cancelCertificate(db::Database &database, qint64 certificate, const QString &reason, QString *error);

// Every certificate (of one course when course > 0) in the order of its
// number (series, then serial); empty with a Polish message in *error when the
// database cannot be read.
std::vector<RegisterEntry> readRegister(db::Database &database, qint64 course = 0, QString *error = nullptr);

} // namespace marbelo
