// The register of certificates: numbers given without gaps and never reused.
// Issuing takes the database's write lock (BEGIN IMMEDIATE), so two programs
// issuing at once take turns, and a number is either given whole with its
// certificate or not at all.
#pragma once

#include "courses/CourseTypes.h"

#include <vector>

namespace marbelo {

namespace db {
class Database;
}

// Gives each participant of the course who passed (by the stored exam
// result, else as marked) without a certificate in force
// the register's next number, in Polish alphabetical order, dated issued; all
// in one transaction. *count says how many were issued. Refused (false, with
// a Polish message) when no organiser has been entered.
bool issueCertificates(db::Database &database, qint64 course, const QDate &issued, int *count, QString *error);

// Marks a certificate cancelled with its reason; its number stays in the
// register and is never given again.
bool cancelCertificate(db::Database &database, qint64 certificate, const QString &reason, QString *error);

// Every certificate (of one course when course > 0) in the order of its
// number (series, then serial); empty with a Polish message in *error when the
// database cannot be read.
std::vector<RegisterEntry> readRegister(db::Database &database, qint64 course = 0, QString *error = nullptr);

} // namespace marbelo
