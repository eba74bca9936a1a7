#include "courses/ui/CourseTables.h"

namespace marbelo {

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

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
            {QStringLiteral("Pracodawca"), [](const Participant &p) { return p.employerName; }},
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

std::vector<RegisterTable::Column> registerColumns()
{
    return {{QStringLiteral("Numer"), [](const RegisterEntry &e) { return e.number; }},
            {QStringLiteral("Data wydania"), [](const RegisterEntry &e) { return shortDate(e.issued); }},
            {QStringLiteral("Imię i nazwisko"), [](const RegisterEntry &e) { return e.participantName; }},
            {QStringLiteral("Data urodzenia"), [](const RegisterEntry &e) { return shortDate(e.birthDate); }},
            {QStringLiteral("Szkolenie"), [](const RegisterEntry &e) { return e.trainingName; }},
            {QStringLiteral("Kurs"), [](const RegisterEntry &e) { return QString::number(e.course); }},
            {QStringLiteral("Stan"), [](const RegisterEntry &e) {
                 return e.cancelled ? QStringLiteral("anulowane: ") + e.cancelReason : QStringLiteral("w mocy");
             }}};
}

std::vector<EmployerTable::Column> employerColumns()
{
    return {{QStringLiteral("Nazwa"), [](const Employer &e) { return e.name; }},
            {QStringLiteral("NIP"), [](const Employer &e) { return e.nip; }},
            {QStringLiteral("Adres"), [](const Employer &e) { return e.address; }},
            {QStringLiteral("Osoba do kontaktu"), [](const Employer &e) { return e.contact; }},
            {QStringLiteral("E-mail"), [](const Employer &e) { return e.email; }},
            {QStringLiteral("Telefon"), [](const Employer &e) { return e.phone; }},
            {QStringLiteral("Uczestnicy"), [](const Employer &e) { return QString::number(e.participants); }},
            {QStringLiteral("Kursy"), [](const Employer &e) { return QString::number(e.courses); }}};
}

} // namespace marbelo
