#include "courses/CertificateText.h"

namespace marbelo {

QString documentDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString courseDays(const Course &course)
{
    if (course.from == course.to)
        return QStringLiteral("dnia %1 r.").arg(documentDate(course.from));
    return QStringLiteral("w dniach od %1 r. do %2 r.").arg(documentDate(course.from), documentDate(course.to));
}

std::vector<CertificateLine> certificateFront(const Organiser &organiser, const Course &course,
                                              const Participant &participant, const RegisterEntry &entry,
                                              const QString &trainingTypeName)
{
    const QString organiserText = organiser.address.isEmpty() ? organiser.name
                                                              : organiser.name + QStringLiteral(", ") + organiser.address;
    return {
        {organiserText, QStringLiteral("(pieczęć organizatora szkolenia)"), false},
        {QStringLiteral("ZAŚWIADCZENIE"), QString(), true},
        {QStringLiteral("o ukończeniu szkolenia w dziedzinie bezpieczeństwa i higieny pracy"), QString(), true},
        {QStringLiteral("Pan(i) %1 %2").arg(participant.firstName, participant.surname),
         QStringLiteral("(imię i nazwisko)"), false},
        {QStringLiteral("urodzony(a) dnia %1 r. w %2").arg(documentDate(participant.birthDate), participant.birthPlace),
         QString(), false},
        {QStringLiteral("ukończył(a) szkolenie: %1").arg(trainingTypeName), QStringLiteral("(nazwa szkolenia)"), false},
        {QStringLiteral("w formie: %1").arg(course.form), QStringLiteral("(nazwa formy szkolenia)"), false},
        {QStringLiteral("organizowane przez: %1").arg(organiser.name),
         QStringLiteral("(nazwa organizatora szkolenia)"), false},
        {courseDays(course), QString(), false},
        {QStringLiteral("Celem szkolenia było: %1").arg(course.purpose), QString(), false},
        {QStringLiteral("%1, dnia %2 r.").arg(organiser.place, documentDate(entry.issued)),
         QStringLiteral("(miejscowość, data)"), false},
        {QStringLiteral("Nr zaświadczenia według rejestru: %1").arg(entry.number), QString(), false},
        {QStringLiteral("...................................................."),
         QStringLiteral("(pieczęć i podpis osoby upoważnionej przez organizatora szkolenia)"), false},
    };
}

} // namespace marbelo
