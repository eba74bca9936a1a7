// The participants of a course and whether they passed.
#pragma once

#include "courses/CourseTypes.h"
#include "store/db/RowSnapshot.h"

#include <optional>
#include <vector>

namespace marbelo {

namespace db {
class Database;
}

// The course's participants in Polish alphabetical order (surname, first
// name), each with the verdict that decides (the stored exam result, else
// the trainer's mark). Empty with a Polish message in *error when the
// database cannot be read.
std::vector<Participant> listParticipants(db::Database &database, qint64 course, QString *error = nullptr);

// The participant's field a problem is about, for a form to mark.
enum class ParticipantField { None, FirstName, Surname, BirthDate, BirthPlace };
// Empty when the participant can be stored, else why not (Polish); *field
// names the field to correct.
QString participantProblem(const Participant &participant, ParticipantField *field = nullptr);
// Empty unless another of people (by id) has the same first name, surname
// (letter case and spaces aside) and date of birth: then why the participant
// cannot join them.
QString duplicateProblem(const std::vector<Participant> &people, const Participant &participant);

// Adds all of them to the course in one transaction, or none (refused for
// a person already on the course's list); returns their numbers in the same
// order. A participant with id > 0 is put back under that number (redo of an
// addition). A participant of kCourseEmployer gets the one its employer's
// NIP or name finds, or a new one (*newEmployers gets their numbers), else
// the course's. employersBack, when given, are restored first (the redo of
// an addition that created them).
std::optional<std::vector<qint64>> addParticipants(db::Database &database, qint64 course,
                                                   const std::vector<Participant> &participants, QString *error,
                                                   std::vector<qint64> *newEmployers = nullptr,
                                                   const db::RowSnapshot *employersBack = nullptr);
// Changes what the trainer typed; "passed" is changed by setPassed alone.
bool updateParticipant(db::Database &database, const Participant &participant, QString *error);
// Refused once the participant has a certificate, in force or cancelled.
bool removeParticipant(db::Database &database, qint64 id, QString *error);
// Removes all of them or none; *removed, when given, gets every row removed
// (with the exam results), for the undo. The employers of employersToo that
// nothing refers to then are removed with them (*removedEmployers gets them):
// the undo of an addition that created them.
bool removeParticipants(db::Database &database, const std::vector<qint64> &ids, QString *error,
                        db::RowSnapshot *removed = nullptr, const std::vector<qint64> &employersToo = {},
                        db::RowSnapshot *removedEmployers = nullptr);
// Marks the participants as passed or not by hand, all in one transaction.
// Refused, naming them, for participants whose stored exam result says
// otherwise: the result decides.
bool setPassed(db::Database &database, const std::vector<qint64> &ids, bool passed, QString *error);

} // namespace marbelo
