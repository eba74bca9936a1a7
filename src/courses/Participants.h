// The participants of a course and their results.
#pragma once

#include "courses/CourseTypes.h"

#include <optional>

class QSqlQuery;
#include <vector>

namespace marbelo {

namespace db {
class Database;
}

// The course's participants in Polish alphabetical order (surname, first name).
std::vector<Participant> listParticipants(db::Database &database, qint64 course);

// Empty when the participant can be stored, else why not (Polish).
QString participantProblem(const Participant &participant);

// Adds all of them to the course in one transaction, or none; returns their
// numbers in the same order. A participant with id > 0 is put back under that
// number (undo of a removal).
std::optional<std::vector<qint64>> addParticipants(db::Database &database, qint64 course,
                                                   const std::vector<Participant> &participants, QString *error);
bool updateParticipant(db::Database &database, const Participant &participant, QString *error);
// Refused once the participant has a certificate, in force or cancelled.
bool removeParticipant(db::Database &database, qint64 id, QString *error);
// Removes all of them or none (undo of an addition or an import).
bool removeParticipants(db::Database &database, const std::vector<qint64> &ids, QString *error);
// Inserts one participant (under its id when > 0) inside a transaction.
bool insertParticipant(QSqlQuery &q, qint64 course, const Participant &participant);
// Marks the participants as passed or not, all in one transaction.
bool setPassed(db::Database &database, const std::vector<qint64> &ids, bool passed, QString *error);

} // namespace marbelo
