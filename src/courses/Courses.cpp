#include "courses/Courses.h"

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
    "  WHERE p.course = c.id AND z.cancelled = 0)");

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
    return c;
}

QVariantList courseValues(const Course &c)
{
    return {c.training, c.from.toString(Qt::ISODate), c.to.toString(Qt::ISODate), db::text(c.place),
            db::text(c.trainers), db::text(c.form), db::text(c.purpose)};
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

std::vector<Course> listCourses(db::Database &database, int training)
{
    std::vector<Course> courses;
    if (!database.isOpen())
        return courses;
    QSqlQuery q = database.query();
    const QString where = training >= 0 ? QStringLiteral(" WHERE c.training = ?") : QString();
    const QVariantList values = training >= 0 ? QVariantList{training} : QVariantList{};
    if (!db::run(q, QStringLiteral("SELECT ") + kCourseColumns + QStringLiteral(" FROM course c") + where
                        + QStringLiteral(" ORDER BY c.id"),
                 values))
        return courses;
    while (q.next())
        courses.push_back(courseFrom(q));
    return courses;
}

bool readCourse(db::Database &database, qint64 id, Course *course)
{
    QSqlQuery q = database.query();
    if (!database.isOpen()
        || !db::run(q, QStringLiteral("SELECT ") + kCourseColumns + QStringLiteral(" FROM course c WHERE c.id = ?"),
                    {id})
        || !q.next())
        return false;
    *course = courseFrom(q);
    return true;
}

QString courseProblem(const Course &course)
{
    if (course.training < 0)
        return QStringLiteral("Kurs musi należeć do szkolenia.");
    if (!course.from.isValid() || !course.to.isValid())
        return QStringLiteral("Podaj daty rozpoczęcia i zakończenia kursu.");
    if (course.to < course.from)
        return QStringLiteral("Kurs nie może kończyć się przed dniem rozpoczęcia.");
    if (course.from.daysTo(course.to) > 366)
        return QStringLiteral("Kurs nie może trwać dłużej niż rok.");
    if (course.place.trimmed().isEmpty())
        return QStringLiteral("Podaj miejsce kursu.");
    return QString();
}

std::optional<qint64> addCourse(db::Database &database, const Course &course, QString *error)
{
    if (const QString problem = courseProblem(course); !problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    qint64 id = 0;
    const bool ok = database.write([&](QSqlQuery &q, QString *) { return insertCourseRow(q, course, &id); }, error);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

bool insertCourseRow(QSqlQuery &q, const Course &course, qint64 *id)
{
    QVariantList values = courseValues(course);
    values.prepend(course.id > 0 ? QVariant(course.id) : QVariant());
    if (!db::run(q,
                 QStringLiteral("INSERT INTO course (id, training, date_from, date_to, place, trainers, form,"
                                " purpose) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 values))
        return false;
    *id = q.lastInsertId().toLongLong();
    return true;
}

bool updateCourseRow(QSqlQuery &q, const Course &course, QString *refusal)
{
    QVariantList values = courseValues(course);
    values.append(course.id);
    return db::runOnOneRow(q,
                           QStringLiteral("UPDATE course SET training = ?, date_from = ?, date_to = ?,"
                                          " place = ?, trainers = ?, form = ?, purpose = ? WHERE id = ?"),
                           values, QStringLiteral("Nie ma kursu nr %1.").arg(course.id), refusal);
}

bool updateCourse(db::Database &database, const Course &course, QString *error)
{
    if (const QString problem = courseProblem(course); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write([&](QSqlQuery &q, QString *refusal) { return updateCourseRow(q, course, refusal); },
                          error);
}

bool restoreCourse(db::Database &database, const Course &course, const std::vector<Participant> &participants,
                   QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *) {
            QVariantList values = courseValues(course);
            values.prepend(course.id);
            if (!db::run(q,
                         QStringLiteral("INSERT INTO course (id, training, date_from, date_to, place, trainers, form,"
                                        " purpose) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                         values))
                return false;
            for (const Participant &p : participants)
                if (!insertParticipant(q, course.id, p))
                    return false;
            return true;
        },
        error);
}

bool deleteCourse(db::Database &database, qint64 id, QString *error)
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
            return db::runOnOneRow(q, QStringLiteral("DELETE FROM course WHERE id = ?"), {id},
                                   QStringLiteral("Nie ma kursu nr %1.").arg(id), refusal);
        },
        error);
}

} // namespace marbelo
