#include "courses/Results.h"

#include "store/db/Database.h"

#include <QSqlQuery>
#include <QVariant>

namespace marbelo {

namespace {

QStringList membersOf(const QStringList &commission)
{
    QStringList members;
    for (const QString &member : commission)
        if (!member.trimmed().isEmpty())
            members << member.trimmed();
    return members;
}

bool ensureExamRow(QSqlQuery &q, qint64 course)
{
    return db::run(q, QStringLiteral("INSERT INTO exam (course) VALUES (?) ON CONFLICT (course) DO NOTHING"), {course});
}

// The questions of each variant of the course's drawn test.
bool testQuestions(QSqlQuery &q, qint64 course, int *questions)
{
    if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM exam_item WHERE course = ? AND variant = 0"), {course})
        || !q.next())
        return false;
    *questions = q.value(0).toInt();
    return true;
}

bool passMarkOf(QSqlQuery &q, qint64 course, int *mark)
{
    if (!db::run(q, QStringLiteral("SELECT pass_mark FROM exam WHERE course = ?"), {course}))
        return false;
    *mark = q.next() ? q.value(0).toInt() : kDefaultPassMark;
    return true;
}

// The verdict written to both places that hold it, so that they never differ.
bool writeVerdict(QSqlQuery &q, qint64 participant, bool passed)
{
    return db::run(q, QStringLiteral("UPDATE exam_result SET passed = ? WHERE participant = ?"),
                   {passed ? 1 : 0, participant})
        && db::run(q, QStringLiteral("UPDATE participant SET passed = ? WHERE id = ?"), {passed ? 1 : 0, participant});
}

// Every stored result of the course scored again by passMark.
bool rescore(QSqlQuery &q, qint64 course, int passMark, QString *refusal)
{
    int questions = 0;
    if (!testQuestions(q, course, &questions))
        return false;
    if (!db::run(q, QStringLiteral("SELECT r.participant, r.points, p.first_name, p.surname,"
                                   " (SELECT z.number FROM certificate z WHERE z.participant = r.participant"
                                   " AND z.cancelled = 0) FROM exam_result r JOIN participant p"
                                   " ON p.id = r.participant WHERE p.course = ? ORDER BY r.participant"),
                 {course}))
        return false;
    std::vector<std::pair<qint64, bool>> scored;
    QStringList certified;
    while (q.next()) {
        const bool passed = passes(q.value(1).toInt(), questions, passMark);
        if (!passed && !q.value(4).isNull())
            certified << QStringLiteral("%1 %2 (nr %3)")
                             .arg(q.value(2).toString(), q.value(3).toString(), q.value(4).toString());
        scored.emplace_back(q.value(0).toLongLong(), passed);
    }
    if (!certified.isEmpty()) {
        *refusal = QStringLiteral("Przy progu %1% nie zaliczyliby egzaminu uczestnicy, którym wystawiono już "
                                  "zaświadczenia: %2. Zaświadczenie wystawione po zdanym egzaminie pozostaje; "
                                  "próg można zmienić dopiero po anulowaniu tych zaświadczeń.")
                       .arg(passMark)
                       .arg(certified.join(QStringLiteral(", ")));
        return false;
    }
    for (const auto &[participant, passed] : scored)
        if (!writeVerdict(q, participant, passed))
            return false;
    return true;
}

bool storeOne(QSqlQuery &q, qint64 course, int questions, int mark, const ExamResult &result, QString *refusal)
{
    if (!db::run(q, QStringLiteral("SELECT p.course, p.first_name, p.surname, (SELECT z.number FROM certificate z"
                                   " WHERE z.participant = p.id AND z.cancelled = 0) FROM participant p WHERE p.id = ?"),
                 {result.participant}))
        return false;
    if (!q.next() || q.value(0).toLongLong() != course) {
        *refusal = QStringLiteral("Nie ma takiego uczestnika kursu nr %1.").arg(course);
        return false;
    }
    const QString name = q.value(1).toString() + u' ' + q.value(2).toString();
    const QString certificate = q.value(3).toString();
    if (result.points < 0 || result.points > questions) {
        *refusal = QStringLiteral("%1: wynik musi wynosić od 0 do %2 punktów.").arg(name).arg(questions);
        return false;
    }
    const bool passed = passes(result.points, questions, mark);
    // A certificate in force stands for a passed exam.
    if (!passed && !certificate.isEmpty()) {
        *refusal = QStringLiteral("Uczestnik ma zaświadczenie nr %1: wynik negatywny można wpisać dopiero "
                                  "po jego anulowaniu.")
                       .arg(certificate);
        return false;
    }
    return db::run(q, QStringLiteral("INSERT INTO exam_result (participant, variant, letters, points, passed)"
                                     " VALUES (?, ?, ?, ?, ?) ON CONFLICT (participant) DO UPDATE SET"
                                     " variant = excluded.variant, letters = excluded.letters,"
                                     " points = excluded.points, passed = excluded.passed"),
                   {result.participant, result.variant < 0 ? QVariant() : QVariant(result.variant),
                    db::text(result.letters), result.points, passed ? 1 : 0})
        && writeVerdict(q, result.participant, passed);
}

} // namespace

ExamSettings examSettings(db::Database &database, qint64 course, QString *error)
{
    ExamSettings settings;
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT pass_mark, commission, exam_date FROM exam WHERE course = ?"), {course},
                       error))
        return settings;
    if (q.next()) {
        settings.passMark = q.value(0).toInt();
        settings.commission = db::textListFrom(q.value(1).toString());
        settings.date = QDate::fromString(q.value(2).toString(), Qt::ISODate);
    }
    return settings;
}

QString examSettingsProblem(const ExamSettings &settings)
{
    if (settings.passMark < 1 || settings.passMark > 100)
        return QStringLiteral("Próg zaliczenia musi wynosić od 1 do 100%.");
    return QString();
}

bool writeExamSettings(QSqlQuery &q, qint64 course, const ExamSettings &settings, QString *refusal)
{
    if (const QString problem = examSettingsProblem(settings); !problem.isEmpty()) {
        *refusal = problem;
        return false;
    }
    return ensureExamRow(q, course)
        && db::run(q, QStringLiteral("UPDATE exam SET pass_mark = ?, commission = ?, exam_date = ? WHERE course = ?"),
                   {settings.passMark, db::textListValue(membersOf(settings.commission)),
                    settings.date.isValid() ? settings.date.toString(Qt::ISODate) : QStringLiteral(""), course})
        && rescore(q, course, settings.passMark, refusal);
}

bool setExamSettings(db::Database &database, qint64 course, const ExamSettings &settings, QString *error)
{
    if (const QString problem = examSettingsProblem(settings); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) { return writeExamSettings(q, course, settings, refusal); }, error);
}

bool storeResults(db::Database &database, qint64 course, const std::vector<ExamResult> &results, QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            int questions = 0;
            int mark = kDefaultPassMark;
            if (!testQuestions(q, course, &questions) || !passMarkOf(q, course, &mark))
                return false;
            if (questions == 0) {
                *refusal = QStringLiteral("Dla tego kursu nie przygotowano jeszcze testu.");
                return false;
            }
            for (const ExamResult &result : results)
                if (!storeOne(q, course, questions, mark, result, refusal))
                    return false;
            return true;
        },
        error);
}

std::vector<ExamResult> examResults(db::Database &database, qint64 course, QString *error)
{
    std::vector<ExamResult> results;
    QSqlQuery q = database.query();
    if (!database.read(q,
                       QStringLiteral("SELECT r.participant, r.variant, r.letters, r.points, r.passed FROM exam_result r"
                                      " JOIN participant p ON p.id = r.participant WHERE p.course = ?"
                                      " ORDER BY r.participant"),
                       {course}, error))
        return results;
    while (q.next())
        results.push_back({q.value(0).toLongLong(), q.value(1).isNull() ? -1 : q.value(1).toInt(),
                           q.value(2).toString(), q.value(3).toInt(), q.value(4).toBool()});
    return results;
}

} // namespace marbelo
