#include "courses/ui/CourseTables.h"

namespace marbelo {

namespace {

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

std::vector<CourseTable::Column> courseColumns()
{
    return {{QStringLiteral("Nr"), [](const Course &c) { return QString::number(c.id); }},
            {QStringLiteral("Od"), [](const Course &c) { return shortDate(c.from); }},
            {QStringLiteral("Do"), [](const Course &c) { return shortDate(c.to); }},
            {QStringLiteral("Miejsce"), [](const Course &c) { return c.place; }},
            {QStringLiteral("Uczestnicy"), [](const Course &c) { return QString::number(c.participants); }},
            {QStringLiteral("Zaświadczenia"), [](const Course &c) { return QString::number(c.certificates); }}};
}

std::vector<ParticipantTable::Column> participantColumns(const int *questions)
{
    return {{QStringLiteral("Nazwisko"), [](const Participant &p) { return p.surname; }},
            {QStringLiteral("Imię"), [](const Participant &p) { return p.firstName; }},
            {QStringLiteral("Data urodzenia"), [](const Participant &p) { return shortDate(p.birthDate); }},
            {QStringLiteral("Miejsce urodzenia"), [](const Participant &p) { return p.birthPlace; }},
            {QStringLiteral("Stanowisko"), [](const Participant &p) { return p.position; }},
            {QStringLiteral("Egzamin"),
             [questions](const Participant &p) {
                 return p.examined ? QStringLiteral("%1/%2 pkt").arg(p.points).arg(*questions) : QString();
             }},
            {QStringLiteral("Zaliczył"),
             [](const Participant &p) { return p.passed ? QStringLiteral("tak") : QStringLiteral("nie"); }},
            {QStringLiteral("Zaświadczenie"), [](const Participant &p) {
                 if (p.certificate.isEmpty() && !p.cancelledCertificate.isEmpty())
                     return p.cancelledCertificate + QStringLiteral(" — anulowane");
                 return p.certificate;
             }}};
}

} // namespace marbelo
