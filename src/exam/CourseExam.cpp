#include "exam/CourseExam.h"

#include "courses/Courses.h"
#include "store/db/Database.h"

#include <QSqlQuery>

namespace marbelo::exam {

namespace {

bool checked(const Course &course, const ExamSettings &settings, QString *error)
{
    *error = courseProblem(course);
    if (error->isEmpty())
        *error = examSettingsProblem(settings);
    return error->isEmpty();
}

} // namespace

std::optional<qint64> addCourseWithExam(db::Database &database, const Course &course, const ExamSettings &settings,
                                        QString *error)
{
    if (!checked(course, settings, error))
        return std::nullopt;
    qint64 id = 0;
    const bool ok = database.write(
        [&](QSqlQuery &q, QString *refusal) {
            return insertCourseRow(q, course, &id) && writeExamSettings(q, id, settings, refusal);
        },
        error);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

bool updateCourseWithExam(db::Database &database, const Course &course, const ExamSettings &settings,
                          QString *error)
{
    if (!checked(course, settings, error))
        return false;
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            return updateCourseRow(q, course, refusal) && writeExamSettings(q, course.id, settings, refusal);
        },
        error);
}

} // namespace marbelo::exam
