#include "courses/Register.h"

#include "common/PolishOrder.h"
#include "courses/Courses.h"
#include "courses/IssuedCertificate.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "store/db/Database.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace marbelo {


QString issueDateProblem(const Course &course, const QDate &issued, const QDate &latest)
{
    const QString day = QStringLiteral("dd.MM.yyyy");
    if (QDate::currentDate() < course.to)
        return QStringLiteral("Zaświadczenia kursu nr %1 można wystawić od ostatniego dnia kursu, %2.")
            .arg(course.id)
            .arg(course.to.toString(day));
    if (!issued.isValid() || issued < course.to)
        return QStringLiteral("Data wydania zaświadczeń nie może być wcześniejsza niż ostatni dzień kursu (%1).")
            .arg(course.to.toString(day));
    if (issued > QDate::currentDate())
        return QStringLiteral("Data wydania zaświadczeń nie może być późniejsza niż dzisiejsza.");
    if (latest.isValid() && issued < latest)
        return QStringLiteral("Data wydania nie może być wcześniejsza niż data ostatniego zaświadczenia w rejestrze "
                              "(%1): numery rejestru idą po kolei z datami wydania.")
            .arg(latest.toString(day));
    return QString();
}

bool takeSerial(QSqlQuery &q, int series, int *serial)
{
    // The counter's row is locked until the transaction ends: another issuer
    // waits for it, and a rollback gives the number back.
    if (!db::run(q,
                 QStringLiteral("INSERT INTO register_counter (series, last_serial) VALUES (?, 0)"
                                " ON CONFLICT (series) DO NOTHING"),
                 {series})
        || !db::run(q,
                    QStringLiteral("UPDATE register_counter SET last_serial = last_serial + 1 WHERE series = ?"
                                   " RETURNING last_serial"),
                    {series})
        || !q.next())
        return false;
    *serial = q.value(0).toInt();
    q.finish();
    return true;
}

QDate proposedIssueDate(db::Database &database, const Course &course, QString *error)
{
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT MAX(issued) FROM certificate"), {}, error) || !q.next())
        return course.to;
    const QDate latest = QDate::fromString(q.value(0).toString(), Qt::ISODate);
    return latest.isValid() && latest > course.to ? latest : course.to;
}

bool issueCertificates(db::Database &database, const QString &dataDir, qint64 course, const QDate &issued,
                       int *count, QString *error)
{
    *count = 0;
    int given = 0;
    const bool ok = database.write(
        [&](QSqlQuery &q, QString *refusal) {
            Organiser organiser;
            if (!readOrganiser(database, &organiser)) {
                *refusal = QStringLiteral("Przed wystawieniem zaświadczeń podaj dane organizatora szkolenia.");
                return false;
            }
            Course stored;
            if (!readCourse(database, course, &stored, refusal))
                return false;
            const int year = issued.year();
            const int series = organiser.restartYearly ? year : 0;
            if (!db::run(q, QStringLiteral("SELECT MAX(issued) FROM certificate WHERE series = ?"), {series})
                || !q.next())
                return false;
            const QDate latest = QDate::fromString(q.value(0).toString(), Qt::ISODate);
            if (const QString problem = issueDateProblem(stored, issued, latest); !problem.isEmpty()) {
                *refusal = problem;
                return false;
            }
            QString unread;
            std::vector<Participant> people = listParticipants(database, course, &unread);
            if (!unread.isEmpty()) {
                *refusal = unread;
                return false;
            }
            // Passed as the stored exam result says, else as marked (the
            // reader's verdict): checked here, inside the issuing transaction.
            // The list is in Polish alphabetical order already.
            for (const Participant &p : people) {
                if (!p.passed || !p.certificate.isEmpty())
                    continue;
                int serial = 0;
                qint64 id = 0;
                if (!takeSerial(q, series, &serial))
                    return false;
                const QString number = formatCertificateNumber(organiser.numberFormat, serial, year);
                if (!db::insertRow(q,
                                   QStringLiteral("INSERT INTO certificate (series, serial, number, participant,"
                                                  " issued) VALUES (?, ?, ?, ?, ?)"),
                                   {series, serial, number, p.id, issued.toString(Qt::ISODate)}, &id)
                    || !storeCertificateText(q, id, certificateText(dataDir, organiser, stored, p, number, issued)))
                    return false;
                ++given;
            }
            return true;
        },
        error);
    if (ok)
        *count = given;
    return ok;
}

bool cancelCertificate(db::Database &database, qint64 certificate, const QString &reason, QString *error)
{
    if (reason.trimmed().isEmpty()) {
        *error = QStringLiteral("Podaj powód anulowania zaświadczenia.");
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            if (!db::run(q,
                         QStringLiteral("UPDATE certificate SET cancelled = 1, cancel_reason = ?"
                                        " WHERE id = ? AND cancelled = 0"),
                         {db::text(reason), certificate}))
                return false;
            if (q.numRowsAffected() != 1) {
                *refusal = QStringLiteral("Nie ma takiego zaświadczenia w mocy.");
                return false;
            }
            return true;
        },
        error);
}

std::vector<RegisterEntry> readRegister(db::Database &database, qint64 course, QString *error)
{
    std::vector<RegisterEntry> entries;
    QSqlQuery q = database.query();
    const QString where = course > 0 ? QStringLiteral(" WHERE p.course = ?") : QString();
    if (!database.read(q,
                    // The names as the certificate printed them; a participant's later
                    // edit changes no line of the register.
                    QStringLiteral("SELECT z.id, z.number, z.serial, z.series, z.participant,"
                                   " COALESCE(t.first_name, p.first_name), COALESCE(t.surname, p.surname),"
                                   " p.course, c.training, z.issued, z.cancelled, z.cancel_reason,"
                                   " COALESCE(t.birth_date, p.birth_date), t.training_name"
                                   " FROM certificate z JOIN participant p ON z.participant = p.id"
                                   " JOIN course c ON p.course = c.id"
                                   " LEFT JOIN certificate_text t ON t.certificate = z.id")
                        + where + QStringLiteral(" ORDER BY z.series, z.serial"),
                    course > 0 ? QVariantList{course} : QVariantList{}, error))
        return entries;
    while (q.next()) {
        RegisterEntry e;
        e.id = q.value(0).toLongLong();
        e.number = q.value(1).toString();
        e.serial = q.value(2).toInt();
        e.series = q.value(3).toInt();
        e.participant = q.value(4).toLongLong();
        e.participantName = q.value(5).toString() + QLatin1Char(' ') + q.value(6).toString();
        e.course = q.value(7).toLongLong();
        e.training = q.value(8).toInt();
        e.issued = QDate::fromString(q.value(9).toString(), Qt::ISODate);
        e.cancelled = q.value(10).toBool();
        e.cancelReason = q.value(11).toString();
        e.birthDate = QDate::fromString(q.value(12).toString(), Qt::ISODate);
        e.trainingName = q.value(13).toString();
        entries.push_back(e);
    }
    return entries;
}

} // namespace marbelo
