#include "courses/Courses.h"

#include "courses/Results.h"
#include "store/DataFiles.h"
#include "store/ProgrammeFile.h"
#include "store/db/Database.h"

#include <QDir>

#include <QSqlQuery>
#include <QVariant>

namespace marbelo {

namespace {

const QString kCourseColumns = QStringLiteral(
    "c.id, c.training, c.date_from, c.date_to, c.place, c.trainers, c.form, c.purpose,"
    " (SELECT COUNT(*) FROM participant p WHERE p.course = c.id),"
    " (SELECT COUNT(*) FROM certificate z JOIN participant p ON z.participant = p.id"
    "  WHERE p.course = c.id AND z.cancelled = 0),"
    " e.pass_mark, e.commission, e.exam_date,"
    " (SELECT COUNT(*) FROM exam_item i WHERE i.course = c.id AND i.variant = 0), c.employer"
    " FROM course c LEFT JOIN exam e ON e.course = c.id");

Course courseFrom(const QSqlQuery &q)
{
    Course c;
    c.id = q.value(0).toLongLong();
    c.training = q.value(1).toInt();
    c.from = QDate::fromString(q.value(2).toString(), Qt::ISODate);
    c.to = QDate::fromString(q.value(3).toString(), Qt::ISODate);
    c.place = q.value(4).toString();
    c.trainers = q.value(5).toString();
    c.form = q.value(6).toString();
    c.purpose = q.value(7).toString();
    c.participants = q.value(8).toInt();
    c.certificates = q.value(9).toInt();
    if (!q.value(10).isNull()) {
        c.exam.passMark = q.value(10).toInt();
        c.exam.commission = db::textListFrom(q.value(11).toString());
        c.exam.date = QDate::fromString(q.value(12).toString(), Qt::ISODate);
    }
    c.testQuestions = q.value(13).toInt();
    c.employer = q.value(14).toLongLong();
    return c;
}

QVariantList courseValues(const Course &c)
{
    return {c.training, c.from.toString(Qt::ISODate), c.to.toString(Qt::ISODate), db::text(c.place),
            db::text(c.trainers), db::text(c.form), db::text(c.purpose),
            c.employer > 0 ? QVariant(c.employer) : QVariant()};
}

QString checked(const Course &course)
{
    const QString problem = courseProblem(course);
    return problem.isEmpty() ? examSettingsProblem(course.exam) : problem;
}

} // namespace

QString defaultCoursePurpose(int trainingType)
{
    if (trainingType == 0)
        return QStringLiteral("Przygotowanie do wykonywania zadań służby bezpieczeństwa i higieny pracy.");
    return QStringLiteral("Aktualizacja i uzupełnienie wiedzy i umiejętności z zakresu bezpieczeństwa i higieny "
                          "pracy niezbędnych do wykonywania pracy na zajmowanym stanowisku.");
}

QString defaultCourseForm(const QString &dataDir, int training)
{
    ProgrammeData programme;
    readProgrammeFile(programmePathFor(QDir(dataDir).filePath(outlineFileName(training))), &programme);
    return trainingFormName(programme.form);
}

std::vector<Course> listCourses(db::Database &database, int training, QString *error)
{
    std::vector<Course> courses;
    QSqlQuery q = database.query();
    const QString where = training >= 0 ? QStringLiteral(" WHERE c.training = ?") : QString();
    const QVariantList values = training >= 0 ? QVariantList{training} : QVariantList{};
    if (!database.read(q, QStringLiteral("SELECT ") + kCourseColumns + where + QStringLiteral(" ORDER BY c.id"),
                       values, error))
        return courses;
    while (q.next())
        courses.push_back(courseFrom(q));
    return courses;
}

bool readCourse(db::Database &database, qint64 id, Course *course, QString *error)
{
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT ") + kCourseColumns + QStringLiteral(" WHERE c.id = ?"), {id},
                       error))
        return false;
    if (!q.next()) {
        if (error)
            *error = QStringLiteral("Nie ma kursu nr %1.").arg(id);
        return false;
    }
    *course = courseFrom(q);
    return true;
}

QString courseProblem(const Course &course, CourseField *field)
{
    const auto at = [field](CourseField f, const QString &problem) {
        if (field)
            *field = f;
        return problem;
    };
    if (course.training < 0)
        return at(CourseField::None, QStringLiteral("Kurs musi należeć do szkolenia."));
    if (!course.from.isValid() || !course.to.isValid())
        return at(course.from.isValid() ? CourseField::To : CourseField::From,
                  QStringLiteral("Podaj daty rozpoczęcia i zakończenia kursu."));
    if (course.to < course.from)
        return at(CourseField::To, QStringLiteral("Kurs nie może kończyć się przed dniem rozpoczęcia."));
    if (course.from.daysTo(course.to) > 366)
        return at(CourseField::To, QStringLiteral("Kurs nie może trwać dłużej niż rok."));
    if (course.place.trimmed().isEmpty())
        return at(CourseField::Place, QStringLiteral("Podaj miejsce kursu."));
    return at(CourseField::None, QString());
}

std::optional<qint64> addCourse(db::Database &database, const Course &course, QString *error)
{
    if (const QString problem = checked(course); !problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    qint64 id = 0;
    const bool ok = database.write(
        [&](QSqlQuery &q, QString *refusal) {
            QVariantList values = courseValues(course);
            values.prepend(course.id);
            if (!db::insertRow(q,
                               db::withOwnId(course.id > 0,
                                             QStringLiteral("INSERT INTO course (id, training, date_from, date_to,"
                                                            " place, trainers, form, purpose, employer)"
                                                            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                             &values),
                               values, &id))
                return false;
            return writeExamSettings(q, id, course.exam, refusal);
        },
        error);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

bool updateCourse(db::Database &database, const Course &course, QString *error)
{
    if (const QString problem = checked(course); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            QVariantList values = courseValues(course);
            values.append(course.id);
            return db::runOnOneRow(q,
                                   QStringLiteral("UPDATE course SET training = ?, date_from = ?, date_to = ?,"
                                                  " place = ?, trainers = ?, form = ?, purpose = ?, employer = ? WHERE id = ?"),
                                   values, QStringLiteral("Nie ma kursu nr %1.").arg(course.id), refusal)
                && writeExamSettings(q, course.id, course.exam, refusal);
        },
        error);
}

bool deleteCourse(db::Database &database, qint64 id, QString *error, db::RowSnapshot *deleted)
{
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            if (!db::run(q,
                         QStringLiteral("SELECT COUNT(*) FROM certificate z JOIN participant p ON z.participant = p.id"
                                        " WHERE p.course = ?"),
                         {id})
                || !q.next())
                return false;
            if (q.value(0).toInt() > 0) {
                *refusal = QStringLiteral("Kursu nr %1 nie można usunąć: wystawiono w nim zaświadczenia.").arg(id);
                return false;
            }
            db::RowSnapshot rows;
            if (!db::snapshotRows(q, QStringLiteral("course"), QStringLiteral("id"), {id}, &rows))
                return false;
            if (deleted)
                *deleted = rows;
            return db::runOnOneRow(q, QStringLiteral("DELETE FROM course WHERE id = ?"), {id},
                                   QStringLiteral("Nie ma kursu nr %1.").arg(id), refusal);
        },
        error);
}

bool restoreRows(db::Database &database, const db::RowSnapshot &rows, QString *error)
{
    return database.write([&](QSqlQuery &q, QString *) { return db::restoreRows(q, rows); }, error);
}

} // namespace marbelo
