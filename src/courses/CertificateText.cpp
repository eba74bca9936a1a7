#include "courses/CertificateText.h"

#include "store/Records.h"

namespace marbelo {

QString documentDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString courseDays(const QDate &from, const QDate &to)
{
    if (from == to)
        return QStringLiteral("dnia %1 r.").arg(documentDate(from));
    return QStringLiteral("w dniach od %1 r. do %2 r.").arg(documentDate(from), documentDate(to));
}

CertificateFront certificateFront(const IssuedCertificate &c)
{
    const QString organiserText =
        c.organiserAddress.isEmpty() ? c.organiserName : c.organiserName + QStringLiteral(", ") + c.organiserAddress;
    const std::vector<FormField> days =
        c.from == c.to
            ? std::vector<FormField>{{QStringLiteral("dnia"), documentDate(c.from), QStringLiteral("(data szkolenia)"), 1},
                                     {QStringLiteral("r."), QString(), QString(), 0}}
            : std::vector<FormField>{{QStringLiteral("w dniach od"), documentDate(c.from),
                                      QStringLiteral("(data rozpoczęcia)"), 1},
                                     {QStringLiteral("r. do"), documentDate(c.to), QStringLiteral("(data zakończenia)"), 1},
                                     {QStringLiteral("r."), QString(), QString(), 0}};
    return {
        {QStringLiteral("ZAŚWIADCZENIE"),
         QStringLiteral("o ukończeniu szkolenia w dziedzinie bezpieczeństwa i higieny pracy")},
        {
            {{QStringLiteral("Pan(i)"), c.firstName + QLatin1Char(' ') + c.surname, QStringLiteral("(imię i nazwisko)"), 1}},
            {{QStringLiteral("urodzony(a) dnia"), documentDate(c.birthDate), QStringLiteral("(data urodzenia)"), 2},
             {QStringLiteral("r. w"), c.birthPlace, QStringLiteral("(miejsce urodzenia)"), 3}},
            {{QStringLiteral("ukończył(a) szkolenie"), trainingTypeName(c.trainingType),
              QStringLiteral("(nazwa szkolenia)"), 1}},
            {{QStringLiteral("w formie"), c.form, QStringLiteral("(nazwa formy szkolenia)"), 1}},
            {{QStringLiteral("organizowane przez"), organiserText, QStringLiteral("(nazwa organizatora szkolenia)"), 1}},
            days,
            {{QStringLiteral("Celem szkolenia było"), c.purpose, QStringLiteral("(cel szkolenia)"), 1}},
            {{QStringLiteral("Nr zaświadczenia według rejestru:"), c.number, QString(), 3},
             {QString(), QString(), QString(), 2, true}},
            {{QString(), c.place, QStringLiteral("(miejscowość)"), 3},
             {QStringLiteral(", dnia"), documentDate(c.issued), QStringLiteral("(data wydania)"), 2},
             {QStringLiteral("r."), QString(), QString(), 0}},
        },
        {QStringLiteral("(pieczęć organizatora szkolenia)"),
         QStringLiteral("(podpis osoby upoważnionej przez organizatora szkolenia)")},
    };
}

} // namespace marbelo
