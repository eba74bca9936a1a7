#include "courses/CourseDocuments.h"

#include "courses/CertificatePages.h"
#include "courses/CertificateText.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "documents/PdfDocument.h"
#include "trainings/OutlineTree.h"
#include "store/DataFiles.h"
#include "trainings/TrainingInfo.h"

#include <algorithm>

namespace marbelo {

namespace {

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
    PdfDocument document(QStringLiteral("Lista obecności: kurs nr %1").arg(courseId));
    int day = 0;
    for (QDate date = course.from; date <= course.to; date = date.addDays(1), ++day) {
        if (day > 0)
            document.pageBreak();
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
        document.table({{QStringLiteral("Lp."), 1, false},
                        {QStringLiteral("Nazwisko i imię"), 6, false},
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
    Organiser organiser;
    if (!courseAndOrganiser(database, courseId, &course, &organiser, error))
        return false;
    const QString typeName = trainingTypeName(trainingInfo(dataDir, course.training).type);
    CertificateReverse reverse(OutlineTree::load(dataDir + outlineFileName(course.training)), typeName);
    const std::vector<Participant> people = listParticipants(database, courseId, error);
    const std::vector<RegisterEntry> entries = readRegister(database, courseId, error);
    if (!error->isEmpty())
        return false;
    PdfDocument document(QStringLiteral("Zaświadczenia: kurs nr %1").arg(courseId));
    int printed = 0;
    for (const RegisterEntry &entry : entries) {
        if (entry.cancelled || (participant > 0 && entry.participant != participant))
            continue;
        const auto holder = std::find_if(people.begin(), people.end(),
                                         [&](const Participant &p) { return p.id == entry.participant; });
        if (holder == people.end())
            continue;
        if (printed++ > 0)
            document.pageBreak();
        drawCertificateFront(document, certificateFront(organiser, course, *holder, entry, typeName));
        document.pageBreak();
        reverse.draw(document);
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
    PdfDocument document(QStringLiteral("Rejestr zaświadczeń"));
    document.title({QStringLiteral("Rejestr zaświadczeń"), organiser.name});
    std::vector<DocumentRow> rows;
    for (const RegisterEntry &e : entries)
        rows.push_back({{e.number, e.participantName, QString::number(e.course),
                         trainingInfo(dataDir, e.training).shownName(),
                         documentDate(e.issued),
                         e.cancelled ? QStringLiteral("anulowane: %1").arg(e.cancelReason) : QString()},
                        e.cancelled});
    document.table({{QStringLiteral("Numer"), 3, false},
                    {QStringLiteral("Uczestnik"), 5, false},
                    {QStringLiteral("Kurs"), 2, false},
                    {QStringLiteral("Szkolenie"), 6, false},
                    {QStringLiteral("Data wydania"), 3, false},
                    {QStringLiteral("Uwagi"), 4, false}},
                   rows);
    return writeDocument(path, document.finish(), error);
}

} // namespace marbelo
