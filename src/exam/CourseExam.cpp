#include "exam/CourseExam.h"

#include "courses/Courses.h"
#include "courses/Participants.h"
#include "store/db/Database.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace marbelo::exam {

namespace {

bool checked(const Course &course, const ExamSettings &settings, QString *error)
{
    *error = courseProblem(course);
    if (error->isEmpty())
        *error = examSettingsProblem(settings);
    return error->isEmpty();
}

std::vector<QVariantList> rowsOf(db::Database &database, const QString &sql, qint64 course)
{
    std::vector<QVariantList> rows;
    QSqlQuery q = database.query();
    if (!database.isOpen() || !db::run(q, sql, {course}))
        return rows;
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
        rows.push_back(row);
    }
    return rows;
}

bool insertRows(QSqlQuery &q, const QString &table, const std::vector<QVariantList> &rows)
{
    for (const QVariantList &row : rows) {
        const QString marks = QStringList(row.size(), QStringLiteral("?")).join(QStringLiteral(", "));
        if (!db::run(q, QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, marks), row))
            return false;
    }
    return true;
}

bool insertParticipantsAndResults(QSqlQuery &q, qint64 course, const std::vector<Participant> &participants,
                                  const ExamRows &rows)
{
    std::vector<QVariantList> results;
    for (const Participant &p : participants) {
        if (!insertParticipant(q, course, p))
            return false;
        for (const QVariantList &row : rows.results)
            if (row.value(0).toLongLong() == p.id)
                results.push_back(row);
    }
    return insertRows(q, QStringLiteral("exam_result"), results);
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

ExamRows readExamRows(db::Database &database, qint64 course)
{
    return {rowsOf(database, QStringLiteral("SELECT * FROM exam WHERE course = ?"), course),
            rowsOf(database, QStringLiteral("SELECT * FROM exam_item WHERE course = ?"), course),
            rowsOf(database,
                   QStringLiteral("SELECT r.* FROM exam_result r JOIN participant p ON p.id = r.participant"
                                  " WHERE p.course = ?"),
                   course)};
}

bool restoreCourseWithExam(db::Database &database, const Course &course, const std::vector<Participant> &participants,
                           const ExamRows &rows, QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *) {
            qint64 id = 0;
            if (!insertCourseRow(q, course, &id) || !insertRows(q, QStringLiteral("exam"), rows.exam))
                return false;
            // A drawn question since removed from the bank is no longer referred to.
            std::vector<QVariantList> items = rows.items;
            for (QVariantList &item : items) {
                if (!db::run(q, QStringLiteral("SELECT 1 FROM question WHERE id = ?"), {item.value(3)}))
                    return false;
                if (!q.next())
                    item[3] = QVariant();
            }
            return insertRows(q, QStringLiteral("exam_item"), items)
                && insertParticipantsAndResults(q, course.id, participants, rows);
        },
        error);
}

bool restoreParticipantsWithResults(db::Database &database, qint64 course,
                                    const std::vector<Participant> &participants, const ExamRows &rows,
                                    QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *) { return insertParticipantsAndResults(q, course, participants, rows); }, error);
}

} // namespace marbelo::exam
