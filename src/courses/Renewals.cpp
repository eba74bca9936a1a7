#include "courses/Renewals.h"

#include "common/PolishOrder.h"
#include "store/db/Database.h"
#include "trainings/RenewalIntervals.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>
#include <tuple>

namespace marbelo {

namespace {

// Who a certificate belongs to, as it printed them: name and date of birth,
// letter case and spaces aside.
QString personKey(const CertificateFact &f)
{
    return f.firstName.simplified().toCaseFolded() + QLatin1Char('\t') + f.surname.simplified().toCaseFolded()
           + QLatin1Char('\t') + f.birthDate.toString(Qt::ISODate);
}

bool newer(const CertificateFact &a, const CertificateFact &b)
{
    return std::tie(a.courseEnd, a.certificate) > std::tie(b.courseEnd, b.certificate);
}

} // namespace

QDate dueDate(const CertificateFact &fact)
{
    const int years = renewalYears(fact.type, fact.chosenYears);
    if (years <= 0 || !fact.courseEnd.isValid())
        return QDate();
    // QDate::addYears takes 29 February to 28 February in a year without one.
    return fact.courseEnd.addYears(years);
}

std::vector<Renewal> validCertificates(const std::vector<CertificateFact> &facts, const QDate &asOf)
{
    std::vector<Renewal> valid;
    std::map<std::pair<QString, int>, std::size_t> newest; // person and type: where in valid
    for (const CertificateFact &f : facts) {
        const QDate due = dueDate(f);
        if (f.cancelled || !due.isValid())
            continue;
        const auto [at, first] = newest.try_emplace({personKey(f), f.type}, valid.size());
        if (first)
            valid.push_back({f, due, due < asOf});
        else if (newer(f, valid[at->second].fact))
            valid[at->second] = {f, due, due < asOf};
    }
    return valid;
}

std::vector<Renewal> dueRenewals(const std::vector<CertificateFact> &facts, const QDate &asOf, int months)
{
    const QDate until = asOf.addMonths(std::max(0, months));
    std::vector<Renewal> due = validCertificates(facts, asOf);
    due.erase(std::remove_if(due.begin(), due.end(), [&](const Renewal &r) { return r.due > until; }), due.end());
    std::stable_sort(due.begin(), due.end(), [](const Renewal &a, const Renewal &b) {
        if (a.due != b.due)
            return a.due < b.due;
        if (a.fact.employer.name != b.fact.employer.name)
            return polishLess(a.fact.employer.name, b.fact.employer.name);
        if (a.fact.surname != b.fact.surname)
            return polishLess(a.fact.surname, b.fact.surname);
        return polishLess(a.fact.firstName, b.fact.firstName);
    });
    return due;
}

std::vector<CertificateFact> readCertificateFacts(db::Database &database, QString *error)
{
    std::vector<CertificateFact> facts;
    QSqlQuery q = database.query();
    q.setForwardOnly(true);
    // A certificate whose text an older version did not store reads its
    // participant's names and its course's last day; its type is then unknown.
    if (!database.read(q,
                       QStringLiteral("SELECT z.id, z.number, z.cancelled, COALESCE(t.first_name, p.first_name),"
                                      " COALESCE(t.surname, p.surname), COALESCE(t.birth_date, p.birth_date),"
                                      " COALESCE(t.birth_place, p.birth_place), t.training_type,"
                                      " COALESCE(t.date_to, c.date_to), p.interval_years, p.id, c.id, c.training,"
                                      " p.position, e.id, e.name, e.address, e.nip, e.contact, e.email, e.phone"
                                      " FROM certificate z JOIN participant p ON p.id = z.participant"
                                      " JOIN course c ON c.id = p.course"
                                      " LEFT JOIN certificate_text t ON t.certificate = z.id"
                                      " LEFT JOIN employer e ON e.id = p.employer ORDER BY z.id"),
                       {}, error))
        return facts;
    while (q.next()) {
        CertificateFact f;
        f.certificate = q.value(0).toLongLong();
        f.number = q.value(1).toString();
        f.cancelled = q.value(2).toBool();
        f.firstName = q.value(3).toString();
        f.surname = q.value(4).toString();
        f.birthDate = QDate::fromString(q.value(5).toString(), Qt::ISODate);
        f.birthPlace = q.value(6).toString();
        f.type = q.value(7).isNull() ? -1 : q.value(7).toInt();
        f.courseEnd = QDate::fromString(q.value(8).toString(), Qt::ISODate);
        f.chosenYears = q.value(9).toInt();
        f.participant = q.value(10).toLongLong();
        f.course = q.value(11).toLongLong();
        f.training = q.value(12).toInt();
        f.position = q.value(13).toString();
        f.employer.id = q.value(14).toLongLong();
        f.employer.name = q.value(15).toString();
        f.employer.address = q.value(16).toString();
        f.employer.nip = q.value(17).toString();
        f.employer.contact = q.value(18).toString();
        f.employer.email = q.value(19).toString();
        f.employer.phone = q.value(20).toString();
        facts.push_back(std::move(f));
    }
    return facts;
}

QString renewalState(const Renewal &renewal)
{
    return renewal.overdue ? QStringLiteral("zaległe") : QStringLiteral("wkrótce");
}

} // namespace marbelo
