// Courses of the trainings: listing, adding, editing and deleting.
#pragma once

#include "courses/CourseTypes.h"
#include "courses/Participants.h"

#include <optional>
#include <vector>

class QSqlQuery;

namespace marbelo {

namespace db {
class Database;
}

// The sentence the certificate prints as the training's purpose, by type.
QString defaultCoursePurpose(int trainingType);
// The form a new course starts with: the form the training's programme
// records in the data folder ("kurs" when it records none).
QString defaultCourseForm(const QString &dataDir, int training);

// Every course, or the courses of one training (training >= 0), in the order
// they were added,
// with their counts of participants and certificates in force.
std::vector<Course> listCourses(db::Database &database, int training = -1);
bool readCourse(db::Database &database, qint64 id, Course *course);

// Empty when the course can be stored, else why not (Polish).
QString courseProblem(const Course &course);

// Adds the course and returns its number; a course with id > 0 is put back
// under that number (undo of a deletion).
std::optional<qint64> addCourse(db::Database &database, const Course &course, QString *error);
bool updateCourse(db::Database &database, const Course &course, QString *error);
// The statements of addCourse and updateCourse on a query inside a
// transaction, for an edit that changes more than the course at once; the
// course is checked with courseProblem first.
bool insertCourseRow(QSqlQuery &q, const Course &course, qint64 *id);
bool updateCourseRow(QSqlQuery &q, const Course &course, QString *refusal);
// Puts a deleted course back with its participants, under their old numbers,
// in one transaction (undo of a deletion).
bool restoreCourse(db::Database &database, const Course &course, const std::vector<Participant> &participants,
                   QString *error);
// Deletes the course and its participants; refused once it has issued a
// certificate (the register keeps every number).
bool deleteCourse(db::Database &database, qint64 id, QString *error);

} // namespace marbelo
