// Courses of the trainings with their exam's settings: listing, adding,
// editing and deleting.
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

// The sentence the certificate prints as the training's purpose, by type.
QString defaultCoursePurpose(int trainingType);
// The form a new course starts with: the form the training's programme
// records in the data folder ("kurs" when it records none).
QString defaultCourseForm(const QString &dataDir, int training);

// Every course, or the courses of one training (training >= 0), in the order
// they were added, with their counts of participants and certificates in
// force. Empty with a Polish message in *error when the database cannot be read.
std::vector<Course> listCourses(db::Database &database, int training = -1, QString *error = nullptr);
bool readCourse(db::Database &database, qint64 id, Course *course, QString *error = nullptr);

// The course's field a problem is about, for a form to mark.
enum class CourseField { None, From, To, Place };
// Empty when the course can be stored, else why not (Polish); *field names
// the field to correct.
QString courseProblem(const Course &course, CourseField *field = nullptr);

// Adds the course with its exam's settings and returns its number; a course
// with id > 0 is put back under that number (redo of an addition).
std::optional<qint64> addCourse(db::Database &database, const Course &course, QString *error);
// Changes the course and its exam's settings in one transaction: a new pass
// mark scores the stored results again.
bool updateCourse(db::Database &database, const Course &course, QString *error);
// Deletes the course with its participants and exam; refused once it has
// issued a certificate (the register keeps every number). *deleted, when
// given, gets every row deleted, for the undo.
bool deleteCourse(db::Database &database, qint64 id, QString *error, db::RowSnapshot *deleted = nullptr);
// Puts deleted rows back exactly, in one transaction (undo of a deletion).
bool restoreRows(db::Database &database, const db::RowSnapshot &rows, QString *error);

} // namespace marbelo
