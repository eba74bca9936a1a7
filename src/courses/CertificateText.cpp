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

std::vector<CertificateLine> certificateFront(const IssuedCertificate &c)
{
    const QString organiserText =
        c.organiserAddress.isEmpty() ? c.organiserName : c.organiserName + QStringLiteral(", ") + c.organiserAddress;
    const QString typeName = trainingTypeName(c.trainingType);
    return {
        {organiserText, QStringLiteral("(pieczęć organizatora szkolenia)"), false},
        {QStringLiteral("ZAŚWIADCZENIE"), QString(), true},
        {QStringLiteral("o ukończeniu szkolenia w dziedzinie bezpieczeństwa i higieny pracy"), QString(), true},
        {QStringLiteral("Pan(i) %1 %2").arg(c.firstName, c.surname),
         QStringLiteral("(imię i nazwisko)"), false},
        {QStringLiteral("urodzony(a) dnia %1 r. w %2").arg(documentDate(c.birthDate), c.birthPlace),
         QString(), false},
        {QStringLiteral("ukończył(a) szkolenie: %1").arg(typeName), QStringLiteral("(nazwa szkolenia)"), false},
        {QStringLiteral("w formie: %1").arg(c.form), QStringLiteral("(nazwa formy szkolenia)"), false},
        {QStringLiteral("organizowane przez: %1").arg(c.organiserName),
         QStringLiteral("(nazwa organizatora szkolenia)"), false},
        {courseDays(c.from, c.to), QString(), false},
        {QStringLiteral("Celem szkolenia było: %1").arg(c.purpose), QString(), false},
        {QStringLiteral("%1, dnia %2 r.").arg(c.place, documentDate(c.issued)),
         QStringLiteral("(miejscowość, data)"), false},
        {QStringLiteral("Nr zaświadczenia według rejestru: %1").arg(c.number), QString(), false},
        {QStringLiteral("...................................................."),
         QStringLiteral("(pieczęć i podpis osoby upoważnionej przez organizatora szkolenia)"), false},
    };
}

} // namespace marbelo
