#include "courses/CourseDocuments.h"

#include "courses/CertificatePages.h"
#include "courses/CertificateText.h"
#include "courses/IssuedCertificate.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "documents/PdfDocument.h"
#include "trainings/OutlineTree.h"
#include "store/DataFiles.h"
#include "trainings/TrainingInfo.h"

#include <algorithm>
#include <optional>

namespace marbelo {

namespace {

bool sameProgramme(const IssuedCertificate &a, const IssuedCertificate &b)
{
    const auto sameRow = [](const ProgrammeRow &x, const ProgrammeRow &y) {
        return x.number == y.number && x.level == y.level && x.name == y.name && x.hours == y.hours
            && x.counts == y.counts;
    };
    return a.trainingType == b.trainingType && a.total == b.total
        && std::equal(a.programme.begin(), a.programme.end(), b.programme.begin(), b.programme.end(), sameRow);
}

bool courseAndOrganiser(db::Database &database, qint64 id, Course *course, Organiser *organiser, QString *error)
{
    if (!readCourse(database, id, course, error))
        return false;
    if (organiser && !readOrganiser(database, organiser, error)) {
        if (error->isEmpty())
            *error = QStringLiteral("Podaj najpierw dane organizatora szkolenia.");
        return false;
    }
    return true;
}

} // namespace

bool saveAttendanceList(db::Database &database, const QString &dataDir, qint64 courseId, const QString &path,
                        QString *error)
{
    error->clear(); // the readers below only ever set it
    Course course;
    if (!courseAndOrganiser(database, courseId, &course, nullptr, error))
        return false;
    const std::vector<Participant> people = listParticipants(database, courseId, error);
    if (!error->isEmpty())
        return false;
    const Letterhead letterhead = readLetterhead(database);
    PdfDocument document(QStringLiteral("Lista obecności: kurs nr %1").arg(courseId));
    int day = 0;
    for (QDate date = course.from; date <= course.to; date = date.addDays(1), ++day) {
        if (day > 0)
            document.pageBreak();
        document.letterhead(letterhead); // each day's page is signed and kept on its own
        document.title({QStringLiteral("Lista obecności"), trainingInfo(dataDir, course.training).shownName(),
                        QStringLiteral("Kurs nr %1, %2").arg(courseId).arg(course.place),
                        QStringLiteral("Dzień %1: %2").arg(day + 1).arg(documentDate(date))});
        if (!course.trainers.isEmpty())
            document.paragraph(QStringLiteral("Prowadzący: %1").arg(course.trainers));
        std::vector<DocumentRow> rows;
        int number = 0;
        for (const Participant &p : people)
            rows.push_back({{QString::number(++number), p.surname + QLatin1Char(' ') + p.firstName, p.position,
                             QStringLiteral("\n\n")}});
        document.table({{QStringLiteral("Lp."), 1, false, ColumnFit::OneLine},
                        {QStringLiteral("Nazwisko i imię"), 6, false, ColumnFit::Whole},
                        {QStringLiteral("Stanowisko"), 5, false},
                        {QStringLiteral("Podpis"), 6, false}},
                       rows);
    }
    return writeDocument(path, document.finish(), error);
}

bool saveCertificates(db::Database &database, const QString &dataDir, qint64 courseId, qint64 participant,
                      const QString &path, QString *error)
{
    error->clear(); // the readers below only ever set it
    Course course;
    if (!readCourse(database, courseId, &course, error))
        return false;
    // A certificate of an older database gets its text stored now, once.
    if (!storeMissingCertificateTexts(database, dataDir, error))
        return false;
    const std::vector<IssuedCertificate> issued = issuedCertificates(database, courseId, error);
    if (!error->isEmpty())
        return false;
    PdfDocument document(QStringLiteral("Zaświadczenia: kurs nr %1").arg(courseId));
    document.hidePageNumbers(); // a certificate is a page of its own, not a page of a document
    std::optional<CertificateReverse> reverse;
    const IssuedCertificate *laidOut = nullptr;
    int printed = 0;
    for (const IssuedCertificate &c : issued) {
        if (c.cancelled || (participant > 0 && c.participant != participant))
            continue;
        // The reverse is laid out once for each programme the certificates were issued with.
        if (!laidOut || !sameProgramme(*laidOut, c))
            reverse.emplace(c.programme, c.total, trainingTypeName(c.trainingType));
        laidOut = &c;
        if (printed++ > 0)
            document.pageBreak();
        drawCertificateFront(document, certificateFront(c));
        document.pageBreak();
        reverse->draw(document);
    }
    if (printed == 0) {
        *error = QStringLiteral("Kurs nr %1 nie ma wystawionych zaświadczeń do wydruku.").arg(courseId);
        return false;
    }
    return writeDocument(path, document.finish(), error);
}

bool saveRegisterDocument(db::Database &database, const QString &dataDir, const QString &path, QString *error)
{
    error->clear(); // the readers below only ever set it
    Organiser organiser;
    readOrganiser(database, &organiser, error);
    const std::vector<RegisterEntry> entries = readRegister(database, 0, error);
    if (!error->isEmpty())
        return false;
    // Landscape: the numbers, courses and dates each on one line, the
    // names and trainings whole, wrapped between words.
    PdfDocument document(QStringLiteral("Rejestr zaświadczeń"), PageOrientation::Landscape);
    const Letterhead letterhead = letterheadOf(organiser);
    document.letterhead(letterhead);
    // The organiser's name under the title unless the letterhead gives it.
    document.title(letterhead.isEmpty() ? QStringList{QStringLiteral("Rejestr zaświadczeń"), organiser.name}
                                        : QStringList{QStringLiteral("Rejestr zaświadczeń")});
    std::vector<DocumentRow> rows;
    for (const RegisterEntry &e : entries) {
        DocumentRow row{{e.number, e.participantName, QString::number(e.course),
                         e.trainingName.isEmpty() ? trainingInfo(dataDir, e.training).shownName() : e.trainingName,
                         documentDate(e.issued),
                         e.cancelled ? QStringLiteral("anulowane: %1").arg(e.cancelReason) : QString()}};
        row.struck = e.cancelled;
        rows.push_back(row);
    }
    document.table({{QStringLiteral("Numer"), 1, false, ColumnFit::OneLine},
                    {QStringLiteral("Uczestnik"), 5, false, ColumnFit::Whole},
                    {QStringLiteral("Kurs"), 1, false, ColumnFit::OneLine},
                    {QStringLiteral("Szkolenie"), 7, false},
                    {QStringLiteral("Data wydania"), 1, false, ColumnFit::OneLine},
                    {QStringLiteral("Uwagi"), 4, false}},
                   rows);
    return writeDocument(path, document.finish(), error);
}

} // namespace marbelo
