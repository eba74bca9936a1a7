// Course-database fixtures with made-up people, and the check of the
// register's promise: per series the serials run 1..n without a gap or a
// repeat, numbers are unique, and each certificate belongs to exactly one
// existing, passed participant, who has at most one in force.
#pragma once

#include "courses/CourseTypes.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace marbelo::db {
class Database;
}

namespace testing_support {

// An organiser with the given way of numbering.
marbelo::Organiser testOrganiser(bool restartYearly = false, const QString &format = QStringLiteral("N/RRRR"));
// A course of training 1 in March 2026 at a made-up place.
marbelo::Course testCourse(int training = 1);
// count made-up participants; every one passed when passed is true.
std::vector<marbelo::Participant> testParticipants(int count, bool passed = true, int first = 0);

// Every row of the courses' tables (employers, courses, exams, participants,
// results), a line each with its columns by name, for the undo's checks.
QStringList allRows(marbelo::db::Database &database);

// Empty when the register keeps its promise, else what is wrong; *certificates
// counts them.
QString registerProblem(marbelo::db::Database &database, int *certificates = nullptr);

} // namespace testing_support
