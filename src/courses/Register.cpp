#include "courses/Register.h"

#include "common/PolishOrder.h"
#include "courses/Organiser.h"
#include "store/db/Database.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace marbelo {

namespace {

struct Candidate
{
    qint64 id;
    QString surname;
    QString firstName;
};

} // namespace

bool issueCertificates(db::Database &database, qint64 course, const QDate &issued, int *count, QString *error)
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
            if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM course WHERE id = ?"), {course}) || !q.next())
                return false;
            if (q.value(0).toInt() != 1) {
                *refusal = QStringLiteral("Nie ma kursu nr %1.").arg(course);
                return false;
            }
            if (!db::run(q,
                         // Passed as the stored exam result says, else as marked: checked
                         // here, inside the issuing transaction.
                         QStringLiteral("SELECT p.id, p.surname, p.first_name FROM participant p"
                                        " LEFT JOIN exam_result r ON r.participant = p.id"
                                        " WHERE p.course = ? AND (CASE WHEN r.participant IS NULL THEN p.passed"
                                        " ELSE r.passed END) = 1 AND NOT EXISTS (SELECT 1 FROM"
                                        " certificate z WHERE z.participant = p.id AND z.cancelled = 0)"
                                        " ORDER BY p.id"),
                         {course}))
                return false;
            std::vector<Candidate> candidates;
            while (q.next())
                candidates.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
            std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
                if (a.surname.compare(b.surname, Qt::CaseInsensitive) != 0)
                    return polishLess(a.surname, b.surname);
                return polishLess(a.firstName, b.firstName);
            });

            const int year = issued.year();
            const int series = organiser.restartYearly ? year : 0;
            if (!db::run(q, QStringLiteral("SELECT COALESCE(MAX(serial), 0) FROM certificate WHERE series = ?"),
                         {series})
                || !q.next())
                return false;
            int serial = q.value(0).toInt();
            for (const Candidate &c : candidates) {
                ++serial;
                if (!db::run(q,
                             QStringLiteral("INSERT INTO certificate (series, serial, number, participant, issued)"
                                            " VALUES (?, ?, ?, ?, ?)"),
                             {series, serial, formatCertificateNumber(organiser.numberFormat, serial, year), c.id,
                              issued.toString(Qt::ISODate)}))
                    return false;
            }
            given = static_cast<int>(candidates.size());
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
                    QStringLiteral("SELECT z.id, z.number, z.serial, z.series, z.participant, p.first_name,"
                                   " p.surname, p.course, c.training, z.issued, z.cancelled, z.cancel_reason"
                                   " FROM certificate z JOIN participant p ON z.participant = p.id"
                                   " JOIN course c ON p.course = c.id")
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
        entries.push_back(e);
    }
    return entries;
}

} // namespace marbelo
