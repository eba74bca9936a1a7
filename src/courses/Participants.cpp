#include "courses/Participants.h"

#include "common/PolishOrder.h"
#include "courses/Employers.h"
#include "store/db/Database.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace marbelo {

namespace {

QVariantList participantValues(const Participant &p)
{
    return {db::text(p.firstName), db::text(p.surname), p.birthDate.toString(Qt::ISODate), db::text(p.birthPlace),
            db::text(p.position), p.employer > 0 ? QVariant(p.employer) : QVariant(),
            p.intervalYears > 0 ? QVariant(p.intervalYears) : QVariant()};
}

} // namespace

std::vector<Participant> listParticipants(db::Database &database, qint64 course, QString *error)
{
    std::vector<Participant> list;
    QSqlQuery q = database.query();
    if (!database.read(q,
                       QStringLiteral("SELECT p.id, p.course, p.first_name, p.surname, p.birth_date, p.birth_place,"
                                      " p.position, CASE WHEN r.participant IS NULL THEN p.passed ELSE r.passed END,"
                                      " r.participant IS NOT NULL, r.points, (SELECT z.number FROM certificate z"
                                      " WHERE z.participant = p.id AND z.cancelled = 0),"
                                      " (SELECT z.number FROM certificate z WHERE z.participant = p.id"
                                      " AND z.cancelled = 1 ORDER BY z.id DESC LIMIT 1),"
                                      " p.employer, e.name, e.nip, p.interval_years"
                                      " FROM participant p LEFT JOIN exam_result r ON r.participant = p.id"
                                      " LEFT JOIN employer e ON e.id = p.employer"
                                      " WHERE p.course = ? ORDER BY p.id"),
                       {course}, error))
        return list;
    while (q.next()) {
        Participant p;
        p.id = q.value(0).toLongLong();
        p.course = q.value(1).toLongLong();
        p.firstName = q.value(2).toString();
        p.surname = q.value(3).toString();
        p.birthDate = QDate::fromString(q.value(4).toString(), Qt::ISODate);
        p.birthPlace = q.value(5).toString();
        p.position = q.value(6).toString();
        p.passed = q.value(7).toBool();
        p.examined = q.value(8).toBool();
        p.points = q.value(9).toInt();
        p.certificate = q.value(10).toString();
        if (p.certificate.isEmpty())
            p.cancelledCertificate = q.value(11).toString();
        p.employer = q.value(12).toLongLong();
        p.employerName = q.value(13).toString();
        p.employerNip = q.value(14).toString();
        p.intervalYears = q.value(15).toInt();
        list.push_back(p);
    }
    std::stable_sort(list.begin(), list.end(), [](const Participant &a, const Participant &b) {
        if (a.surname.compare(b.surname, Qt::CaseInsensitive) != 0)
            return polishLess(a.surname, b.surname);
        return polishLess(a.firstName, b.firstName);
    });
    return list;
}

QString participantProblem(const Participant &p, ParticipantField *field)
{
    const auto at = [field](ParticipantField f, const QString &problem) {
        if (field)
            *field = f;
        return problem;
    };
    // Names go into one line of tables and documents: no tabs or line breaks.
    const std::pair<const QString *, ParticipantField> texts[] = {{&p.firstName, ParticipantField::FirstName},
                                                                  {&p.surname, ParticipantField::Surname},
                                                                  {&p.birthPlace, ParticipantField::BirthPlace},
                                                                  {&p.position, ParticipantField::None}};
    for (const auto &[text, f] : texts)
        for (const QChar c : *text)
            if (c.category() == QChar::Other_Control)
                return at(f, QStringLiteral("Dane uczestnika nie mogą zawierać znaków sterujących (tabulatora, "
                                            "końca wiersza)."));
    if (p.firstName.trimmed().isEmpty() || p.surname.trimmed().isEmpty())
        return at(p.firstName.trimmed().isEmpty() ? ParticipantField::FirstName : ParticipantField::Surname,
                  QStringLiteral("Podaj imię i nazwisko uczestnika."));
    if (!p.birthDate.isValid())
        return at(ParticipantField::BirthDate, QStringLiteral("Podaj poprawną datę urodzenia uczestnika."));
    if (p.birthDate > QDate::currentDate() || p.birthDate.year() < 1900)
        return at(ParticipantField::BirthDate, QStringLiteral("Data urodzenia %1 jest niemożliwa.")
                                                   .arg(p.birthDate.toString(QStringLiteral("dd.MM.yyyy"))));
    if (p.birthPlace.trimmed().isEmpty())
        return at(ParticipantField::BirthPlace, QStringLiteral("Podaj miejsce urodzenia uczestnika."));
    return at(ParticipantField::None, QString());
}

QString duplicateProblem(const std::vector<Participant> &people, const Participant &participant)
{
    const auto same = [](const QString &a, const QString &b) {
        return a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0;
    };
    for (const Participant &other : people)
        if ((other.id != participant.id || participant.id == 0) && same(other.firstName, participant.firstName)
            && same(other.surname, participant.surname) && other.birthDate == participant.birthDate)
            return QStringLiteral("%1 %2 (ur. %3) już jest na liście kursu.")
                .arg(participant.firstName.simplified(), participant.surname.simplified(),
                     participant.birthDate.toString(QStringLiteral("dd.MM.yyyy")));
    return QString();
}

std::optional<std::vector<qint64>> addParticipants(db::Database &database, qint64 course,
                                                   const std::vector<Participant> &participants, QString *error,
                                                   std::vector<qint64> *newEmployers,
                                                   const db::RowSnapshot *employersBack)
{
    for (const Participant &p : participants) {
        if (const QString problem = participantProblem(p); !problem.isEmpty()) {
            *error = problem;
            return std::nullopt;
        }
    }
    std::vector<qint64> ids;
    const bool ok = database.write(
        [&](QSqlQuery &q, QString *refusal) {
            if (!db::run(q, QStringLiteral("SELECT employer FROM course WHERE id = ?"), {course}))
                return false;
            if (!q.next()) {
                *refusal = QStringLiteral("Nie ma kursu nr %1.").arg(course);
                return false;
            }
            const qint64 courseEmployer = q.value(0).toLongLong();
            if (employersBack && !db::restoreRows(q, *employersBack))
                return false;
            // Checked in the transaction: another program may have added them meanwhile.
            QString unread;
            std::vector<Participant> listed = listParticipants(database, course, &unread);
            if (!unread.isEmpty()) {
                *refusal = unread;
                return false;
            }
            for (const Participant &p : participants) {
                if (const QString problem = duplicateProblem(listed, p); !problem.isEmpty()) {
                    *refusal = problem;
                    return false;
                }
                listed.push_back(p);
                listed.back().id = -1 - qint64(listed.size()); // a number no stored one has
            }
            for (Participant p : participants) {
                if (p.employer == kCourseEmployer
                    && (!p.employerName.trimmed().isEmpty() || !p.employerNip.trimmed().isEmpty())) {
                    bool created = false;
                    if (!findOrAddEmployer(q, p.employerName, p.employerNip, &p.employer, &created, refusal))
                        return false;
                    if (created && newEmployers)
                        newEmployers->push_back(p.employer);
                } else if (p.employer == kCourseEmployer) {
                    p.employer = courseEmployer;
                }
                QVariantList values = participantValues(p);
                values.prepend(course);
                values.prepend(p.id);
                values.append(p.passed ? 1 : 0);
                qint64 id = 0;
                if (!db::insertRow(q,
                                   db::withOwnId(p.id > 0,
                                                 QStringLiteral("INSERT INTO participant (id, course, first_name,"
                                                                " surname, birth_date, birth_place, position,"
                                                                " employer, interval_years, passed)"
                                                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                                 &values),
                                   values, &id))
                    return false;
                ids.push_back(id);
            }
            return true;
        },
        error);
    if (!ok)
        return std::nullopt;
    return ids;
}

bool updateParticipant(db::Database &database, const Participant &participant, QString *error)
{
    if (const QString problem = participantProblem(participant); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            if (!db::run(q, QStringLiteral("SELECT course FROM participant WHERE id = ?"), {participant.id}))
                return false;
            if (q.next()) {
                QString unread;
                const std::vector<Participant> listed = listParticipants(database, q.value(0).toLongLong(), &unread);
                if (!unread.isEmpty()) {
                    *refusal = unread;
                    return false;
                }
                if (const QString problem = duplicateProblem(listed, participant); !problem.isEmpty()) {
                    *refusal = problem;
                    return false;
                }
            }
            QVariantList values = participantValues(participant);
            values.append(participant.id);
            return db::runOnOneRow(q,
                                   QStringLiteral("UPDATE participant SET first_name = ?, surname = ?,"
                                                  " birth_date = ?, birth_place = ?, position = ?, employer = ?,"
                                                  " interval_years = ? WHERE id = ?"),
                                   values, QStringLiteral("Nie ma uczestnika nr %1.").arg(participant.id), refusal);
        },
        error);
}

bool removeParticipant(db::Database &database, qint64 id, QString *error)
{
    return removeParticipants(database, {id}, error);
}

bool removeParticipants(db::Database &database, const std::vector<qint64> &ids, QString *error,
                        db::RowSnapshot *removed, const std::vector<qint64> &employersToo,
                        db::RowSnapshot *removedEmployers)
{
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            QVariantList keys;
            for (qint64 id : ids) {
                if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM certificate WHERE participant = ?"), {id})
                    || !q.next())
                    return false;
                if (q.value(0).toInt() > 0) {
                    *refusal = QStringLiteral("Uczestnika, który ma zaświadczenie, nie można usunąć.");
                    return false;
                }
                keys << id;
            }
            db::RowSnapshot rows;
            if (!db::snapshotRows(q, QStringLiteral("participant"), QStringLiteral("id"), keys, &rows))
                return false;
            if (removed)
                *removed = rows;
            for (qint64 id : ids)
                if (!db::runOnOneRow(q, QStringLiteral("DELETE FROM participant WHERE id = ?"), {id},
                                     QStringLiteral("Nie ma uczestnika nr %1.").arg(id), refusal))
                    return false;
            // The employers the addition created go with it, unless something
            // else has come to refer to them since.
            QVariantList unused;
            for (qint64 id : employersToo) {
                if (!db::run(q,
                             QStringLiteral("SELECT (SELECT COUNT(*) FROM participant WHERE employer = ?)"
                                            " + (SELECT COUNT(*) FROM course WHERE employer = ?)"),
                             {id, id})
                    || !q.next())
                    return false;
                if (q.value(0).toInt() == 0)
                    unused << id;
            }
            if (removedEmployers && !unused.isEmpty() && !db::snapshotRows(q, QStringLiteral("employer"), QStringLiteral("id"), unused,
                                                      removedEmployers))
                return false;
            for (const QVariant &id : unused)
                if (!db::run(q, QStringLiteral("DELETE FROM employer WHERE id = ?"), {id}))
                    return false;
            return true;
        },
        error);
}

bool setPassed(db::Database &database, const std::vector<qint64> &ids, bool passed, QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            QStringList decided;
            for (qint64 id : ids) {
                if (!db::run(q, QStringLiteral("SELECT p.first_name, p.surname, r.points, r.passed FROM participant p"
                                               " JOIN exam_result r ON r.participant = p.id WHERE p.id = ?"),
                             {id}))
                    return false;
                if (q.next() && q.value(3).toBool() != passed)
                    decided << QStringLiteral("%1 %2 (%3, %4 pkt)")
                                   .arg(q.value(0).toString(), q.value(1).toString(),
                                        q.value(3).toBool() ? QStringLiteral("zdał(a)")
                                                            : QStringLiteral("nie zdał(a)"))
                                   .arg(q.value(2).toInt());
                else if (!db::run(q, QStringLiteral("UPDATE participant SET passed = ? WHERE id = ?"),
                                  {passed ? 1 : 0, id}))
                    return false;
            }
            if (!decided.isEmpty()) {
                *refusal = QStringLiteral("O zaliczeniu decyduje zapisany wynik egzaminu, którego nie można zmienić "
                                          "ręcznie: %1.")
                               .arg(decided.join(QStringLiteral(", ")));
                return false;
            }
            return true;
        },
        error);
}

} // namespace marbelo
