// The organiser of the trainings and the register's number format.
#pragma once

#include "courses/CourseTypes.h"
#include "documents/Letterhead.h"

namespace marbelo {

namespace db {
class Database;
}

// The largest logo picture kept with the organiser, in bytes.
constexpr qsizetype kMaxLogoBytes = 2 * 1024 * 1024;

// False when no organiser has been entered yet, or (with a Polish message in
// *error) when the database cannot be read.
bool readOrganiser(db::Database &database, Organiser *organiser, QString *error = nullptr);
// The organiser's field a problem is about, for a form to mark.
enum class OrganiserField { None, Name, Place, NumberFormat, Logo };
// Empty when the organiser can be stored, else why not (Polish); *field
// names the field to correct.
QString organiserProblem(const Organiser &organiser, OrganiserField *field = nullptr);
// False with a Polish message when a field is refused or the write fails.
bool saveOrganiser(db::Database &database, const Organiser &organiser, QString *error);

// The format must hold "N" once; restarting each year needs "RRRR" so that
// numbers of different years differ. Empty when the format is good, else why.
QString numberFormatProblem(const QString &format, bool restartYearly);
// The number as printed: N replaced by the serial, RRRR by the year.
QString formatCertificateNumber(const QString &format, int serial, int year);

// The organiser's name, address and logo at the head of its documents.
Letterhead letterheadOf(const Organiser &organiser);
// The letterhead of the database's organiser; empty when none is entered or
// it cannot be read (a document then prints without one).
Letterhead readLetterhead(db::Database &database);

} // namespace marbelo
