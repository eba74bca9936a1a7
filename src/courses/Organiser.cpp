#include "courses/Organiser.h"

#include "store/db/Database.h"

#include <QImage>
#include <QSqlQuery>
#include <QVariant>

namespace marbelo {

bool readOrganiser(db::Database &database, Organiser *organiser, QString *error)
{
    QSqlQuery q = database.query();
    if (!database.read(q,
                       QStringLiteral("SELECT name, address, place, number_format, restart_yearly, logo, phone, email"
                                      " FROM organiser"),
                       {}, error)
        || !q.next())
        return false;
    organiser->name = q.value(0).toString();
    organiser->address = q.value(1).toString();
    organiser->place = q.value(2).toString();
    organiser->numberFormat = q.value(3).toString();
    organiser->restartYearly = q.value(4).toBool();
    organiser->logo = q.value(5).toByteArray();
    organiser->phone = q.value(6).toString();
    organiser->email = q.value(7).toString();
    return true;
}

QString numberFormatProblem(const QString &format, bool restartYearly)
{
    if (format.count(QLatin1Char('N')) != 1)
        return QStringLiteral("Format numeru musi zawierać dokładnie jedną literę N (numer kolejny).");
    if (restartYearly && !format.contains(QLatin1String("RRRR")))
        return QStringLiteral("Przy numeracji od 1 w każdym roku format numeru musi zawierać RRRR (rok).");
    return QString();
}

QString formatCertificateNumber(const QString &format, int serial, int year)
{
    // The serial's digits hold no R, so the year goes in second.
    QString number = format;
    number.replace(QLatin1Char('N'), QString::number(serial));
    number.replace(QLatin1String("RRRR"), QString::number(year));
    return number;
}

QString organiserProblem(const Organiser &organiser, OrganiserField *field)
{
    const auto at = [field](OrganiserField f, const QString &problem) {
        if (field)
            *field = f;
        return problem;
    };
    if (organiser.name.trimmed().isEmpty() || organiser.place.trimmed().isEmpty())
        return at(organiser.name.trimmed().isEmpty() ? OrganiserField::Name : OrganiserField::Place,
                  QStringLiteral("Podaj nazwę organizatora i miejsce wydawania zaświadczeń."));
    // The logo prints on every letterhead: a picture of reasonable size, whole.
    if (!organiser.logo.isEmpty()
        && (organiser.logo.size() > kMaxLogoBytes || QImage::fromData(organiser.logo).isNull()))
        return at(OrganiserField::Logo,
                  QStringLiteral("Logo organizatora musi być obrazem PNG albo JPEG o rozmiarze do 2 MB."));
    if (const QString problem = numberFormatProblem(organiser.numberFormat, organiser.restartYearly);
        !problem.isEmpty())
        return at(OrganiserField::NumberFormat, problem);
    return at(OrganiserField::None, QString());
}

bool saveOrganiser(db::Database &database, const Organiser &organiser, QString *error)
{
    if (const QString problem = organiserProblem(organiser); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            // The way of numbering is fixed by the first certificate: a change
            // would give a number of the register a second time.
            Organiser old;
            if (readOrganiser(database, &old) && old.restartYearly != organiser.restartYearly) {
                if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM certificate")) || !q.next())
                    return false;
                if (q.value(0).toInt() > 0) {
                    *refusal =
                    QStringLiteral("Sposobu numeracji nie można zmienić, gdy rejestr zawiera już zaświadczenia.");
                    return false;
                }
            }
            return db::run(q,
                           QStringLiteral("INSERT INTO organiser (id, name, address, place, number_format,"
                                          " restart_yearly, logo, phone, email) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?)"
                                          " ON CONFLICT (id) DO UPDATE SET name = excluded.name,"
                                          " address = excluded.address, place = excluded.place,"
                                          " number_format = excluded.number_format,"
                                          " restart_yearly = excluded.restart_yearly, logo = excluded.logo,"
                                          " phone = excluded.phone, email = excluded.email"),
                           {db::text(organiser.name), db::text(organiser.address), db::text(organiser.place),
                            db::text(organiser.numberFormat), organiser.restartYearly ? 1 : 0,
                            organiser.logo.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(organiser.logo),
                            db::text(organiser.phone), db::text(organiser.email)});
        },
        error);
}

Letterhead letterheadOf(const Organiser &organiser)
{
    return {organiser.name, organiser.address, organiser.logo};
}

Letterhead readLetterhead(db::Database &database)
{
    Organiser organiser;
    QString ignored;
    return readOrganiser(database, &organiser, &ignored) ? letterheadOf(organiser) : Letterhead{};
}

} // namespace marbelo
