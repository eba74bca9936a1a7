// What decides whether a participant passed: the course's exam settings (the
// pass mark above all) and the stored results. A stored result decides; the
// trainer's own mark counts only for a participant without one. A certificate
// in force stands for a passed exam, so no change here may make its holder
// fail.
#pragma once

#include "courses/CourseTypes.h"

#include <vector>

class QSqlQuery;

namespace marbelo {

namespace db {
class Database;
}

// Passed when points reach passMark percent of the questions.
inline bool passes(int points, int questions, int passMark)
{
    return questions > 0 && qint64(points) * 100 >= qint64(passMark) * questions;
}

inline int percentOf(int points, int questions)
{
    return questions > 0 ? int(qint64(points) * 100 / questions) : 0;
}

ExamSettings examSettings(db::Database &database, qint64 course, QString *error = nullptr);
// Empty when the settings can be stored, else why not (Polish).
QString examSettingsProblem(const ExamSettings &settings);
// Stores the settings and scores every stored result of the course again by
// the pass mark, in one transaction; refused when the new mark would fail a
// participant whose certificate is in force.
bool setExamSettings(db::Database &database, qint64 course, const ExamSettings &settings, QString *error);
// The same statements on a query inside a transaction; false with *refusal
// set when refused.
bool writeExamSettings(QSqlQuery &q, qint64 course, const ExamSettings &settings, QString *refusal);

// Stores the results of participants of the course, all in one transaction or
// none: each one's verdict by the pass mark as it stands in the transaction.
// Refused for a participant of another course, for more points than the test
// has questions, and for a failed result of a participant whose certificate
// is in force.
bool storeResults(db::Database &database, qint64 course, const std::vector<ExamResult> &results, QString *error);
std::vector<ExamResult> examResults(db::Database &database, qint64 course, QString *error = nullptr);

} // namespace marbelo
