#include "courses/CourseDocuments.h"

#include "courses/CertificatePages.h"
#include "courses/CertificateText.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "documents/PdfDocument.h"
#include "trainings/OutlineTree.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"

#include <algorithm>

namespace marbelo {

namespace {

QString trainingName(const QString &dataDir, int training, int *type = nullptr)
{
    TrainingRecord record;
    if (!readTrainingRecord(dataDir, training, &record))
        return QStringLiteral("szkolenie nr %1").arg(training);
    if (type)
        *type = record.type;
    return record.name;
}

bool courseAndOrganiser(db::Database &database, qint64 id, Course *course, Organiser *organiser, QString *error)
{
    if (!readCourse(database, id, course)) {
        *error = QStringLiteral("Nie ma kursu nr %1.").arg(id);
        return false;
    }
    if (organiser && !readOrganiser(database, organiser)) {
        *error = QStringLiteral("Podaj najpierw dane organizatora szkolenia.");
        return false;
    }
    return true;
}

} // namespace

bool saveAttendanceList(db::Database &database, const QString &dataDir, qint64 courseId, const QString &path,
                        QString *error)
{
    Course course;
    if (!courseAndOrganiser(database, courseId, &course, nullptr, error))
        return false;
    const std::vector<Participant> people = listParticipants(database, courseId);
    PdfDocument document(QStringLiteral("Lista obecności: kurs nr %1").arg(courseId));
    int day = 0;
    for (QDate date = course.from; date <= course.to; date = date.addDays(1), ++day) {
        if (day > 0)
            document.pageBreak();
        document.title({QStringLiteral("Lista obecności"), trainingName(dataDir, course.training),
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
    Course course;
    Organiser organiser;
    if (!courseAndOrganiser(database, courseId, &course, &organiser, error))
        return false;
    int type = -1;
    trainingName(dataDir, course.training, &type);
    const QString typeName = trainingTypeName(type);
    CertificateReverse reverse(OutlineTree::load(dataDir + outlineFileName(course.training)), typeName);
    std::vector<Participant> people = listParticipants(database, courseId);
    PdfDocument document(QStringLiteral("Zaświadczenia: kurs nr %1").arg(courseId));
    int printed = 0;
    for (const RegisterEntry &entry : readRegister(database, courseId)) {
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
    Organiser organiser;
    readOrganiser(database, &organiser);
    PdfDocument document(QStringLiteral("Rejestr zaświadczeń"));
    document.title({QStringLiteral("Rejestr zaświadczeń"), organiser.name});
    std::vector<DocumentRow> rows;
    for (const RegisterEntry &e : readRegister(database))
        rows.push_back({{e.number, e.participantName, QString::number(e.course), trainingName(dataDir, e.training),
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
