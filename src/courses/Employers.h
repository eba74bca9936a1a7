// The employers whose staff take the courses: their records, the NIP with
// its check digit, and how a participant's employer is found by NIP or name.
#pragma once

#include "courses/CourseTypes.h"
#include "store/db/RowSnapshot.h"

#include <optional>
#include <vector>

class QSqlQuery;

namespace marbelo {

namespace db {
class Database;
}

// The ten digits of a NIP written with or without dashes, spaces and a
// leading "PL"; empty when the text has no such form.
QString nipDigits(const QString &text);
// Whether the ten digits' check digit is right (weights 6 5 7 2 3 4 5 6 7,
// the sum modulo 11 being the tenth digit).
bool nipCheckDigitValid(const QString &digits);
// Empty when text is empty or a NIP with its right check digit, else why
// not (Polish).
QString nipProblem(const QString &text);

enum class EmployerField { None, Name, Nip, Email };
// Empty when the employer can be stored, else why not; *field names the
// field to correct.
QString employerProblem(const Employer &employer, EmployerField *field = nullptr);

// Every employer in Polish alphabetical order of names, with the counts of
// participants and courses referring to it; empty with a Polish message in
// *error when the database cannot be read.
std::vector<Employer> listEmployers(db::Database &database, QString *error = nullptr);
bool readEmployer(db::Database &database, qint64 id, Employer *employer, QString *error);

// Stores a new employer (under its own number when id > 0: the redo of an
// addition); refused for a NIP another employer has.
std::optional<qint64> addEmployer(db::Database &database, const Employer &employer, QString *error);
bool updateEmployer(db::Database &database, const Employer &employer, QString *error);
// Refused while a participant or a course refers to it; *removed, when
// given, gets the row for the undo.
bool removeEmployers(db::Database &database, const std::vector<qint64> &ids, QString *error,
                     db::RowSnapshot *removed = nullptr);

// Inside a write transaction: the employer of that NIP, else the one of
// that name (letter case and spaces aside), else a new one of that name
// (*created set). False with *refusal set for a NIP without a name that no
// employer has, for a bad NIP and for a name several employers share.
bool findOrAddEmployer(QSqlQuery &q, const QString &name, const QString &nip, qint64 *id, bool *created,
                       QString *refusal);

} // namespace marbelo
