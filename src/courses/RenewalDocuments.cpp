#include "courses/RenewalDocuments.h"

#include "courses/CertificateText.h"
#include "courses/Organiser.h"
#include "courses/RegisterCsv.h"
#include "documents/PdfDocument.h"
#include "store/Records.h"
#include "store/WholeFile.h"

#include <map>

namespace marbelo {

QByteArray renewalsCsv(const std::vector<Renewal> &renewals)
{
    QString text = QChar(0xFEFF)
                   + csvLine({QStringLiteral("Termin szkolenia"), QStringLiteral("Stan"), QStringLiteral("Pracodawca"),
                              QStringLiteral("NIP"), QStringLiteral("Adres pracodawcy"),
                              QStringLiteral("Osoba kontaktowa"), QStringLiteral("E-mail"), QStringLiteral("Telefon"),
                              QStringLiteral("Nazwisko"), QStringLiteral("Imię"), QStringLiteral("Stanowisko"),
                              QStringLiteral("Rodzaj szkolenia"), QStringLiteral("Numer zaświadczenia")});
    for (const Renewal &r : renewals) {
        const Employer &e = r.fact.employer;
        text += csvLine({documentDate(r.due), renewalState(r), e.name, e.nip, e.address, e.contact, e.email, e.phone,
                         r.fact.surname, r.fact.firstName, r.fact.position, trainingTypeName(r.fact.type),
                         r.fact.number});
    }
    return text.toUtf8();
}

bool saveRenewalsCsv(const QString &path, const std::vector<Renewal> &renewals, QString *error)
{
    return writeWholeFile(path, renewalsCsv(renewals), error);
}

bool saveRenewalLetters(const Organiser &organiser, const std::vector<Renewal> &renewals, const QDate &asOf,
                        const QString &path, QString *error)
{
    std::vector<qint64> order;
    std::map<qint64, std::vector<const Renewal *>> byEmployer;
    for (const Renewal &r : renewals) {
        if (r.fact.employer.id <= 0)
            continue;
        auto &people = byEmployer[r.fact.employer.id];
        if (people.empty())
            order.push_back(r.fact.employer.id);
        people.push_back(&r);
    }
    if (order.empty()) {
        *error = QStringLiteral("Żadna z wybranych osób nie ma pracodawcy: nie ma do kogo napisać.");
        return false;
    }
    PdfDocument document(QStringLiteral("Wykaz pracowników, którym upływa termin szkolenia okresowego"));
    const Letterhead letterhead = letterheadOf(organiser);
    QStringList contact;
    if (!organiser.phone.isEmpty())
        contact << QStringLiteral("tel. %1").arg(organiser.phone);
    if (!organiser.email.isEmpty())
        contact << QStringLiteral("e-mail: %1").arg(organiser.email);
    bool first = true;
    for (qint64 id : order) {
        const std::vector<const Renewal *> &people = byEmployer[id];
        const Employer &employer = people.front()->fact.employer;
        if (!first)
            document.pageBreak();
        first = false;
        document.letterhead(letterhead);
        document.paragraph(QStringLiteral("%1, %2").arg(organiser.place, documentDate(asOf)));
        QString addressee = employer.name;
        if (!employer.address.isEmpty())
            addressee += QLatin1Char('\n') + employer.address;
        if (!employer.contact.isEmpty())
            addressee += QStringLiteral("\nDo rąk: %1").arg(employer.contact);
        document.paragraph(addressee, true);
        document.space(4);
        document.title({QStringLiteral("Wykaz pracowników, którym upływa termin szkolenia okresowego")}, 13);
        document.paragraph(QStringLiteral("Uprzejmie informujemy, że niżej wymienionym pracownikom upływa (albo już "
                                          "upłynął) termin szkolenia okresowego w dziedzinie bezpieczeństwa i higieny "
                                          "pracy, liczony od dnia ukończenia ostatniego szkolenia (stan na %1). "
                                          "Zapraszamy na szkolenie.")
                               .arg(documentDate(asOf)));
        std::vector<DocumentRow> rows;
        int number = 0;
        for (const Renewal *r : people)
            rows.push_back({{QString::number(++number), r->fact.surname + QLatin1Char(' ') + r->fact.firstName,
                             r->fact.position, trainingTypeShortName(r->fact.type), r->fact.number,
                             documentDate(r->due) + (r->overdue ? QStringLiteral(" (zaległe)") : QString())}});
        document.table({{QStringLiteral("Lp."), 1, false, ColumnFit::OneLine},
                        {QStringLiteral("Nazwisko i imię"), 4, false, ColumnFit::Whole},
                        {QStringLiteral("Stanowisko"), 4, false},
                        {QStringLiteral("Rodzaj szkolenia"), 4, false},
                        {QStringLiteral("Nr zaświadczenia"), 2, false, ColumnFit::OneLine},
                        {QStringLiteral("Termin szkolenia"), 2, false, ColumnFit::OneLine}},
                       rows);
        document.space(4);
        document.paragraph(contact.isEmpty()
                               ? QStringLiteral("Kontakt: %1, %2").arg(organiser.name, organiser.address)
                               : QStringLiteral("Kontakt: %1, %2, %3")
                                     .arg(organiser.name, organiser.address, contact.join(QStringLiteral(", "))));
    }
    return writeDocument(path, document.finish(), error);
}

} // namespace marbelo
