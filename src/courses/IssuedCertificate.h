// A certificate as it was issued: everything it prints, stored with its
// number in the issuing transaction, so that printing it again prints the
// same whatever was edited since. Certificates of a database from before the
// text was stored get theirs at the first opening, from the data as it then
// stood.
#pragma once

#include "courses/CourseTypes.h"
#include "trainings/Programme.h"

#include <vector>

class QSqlQuery;

namespace marbelo {

namespace db {
class Database;
}

struct IssuedCertificate
{
    qint64 id = 0; // in the register
    qint64 participant = 0;
    QString number;
    QDate issued;
    bool cancelled = false;
    QString cancelReason;

    QString firstName;
    QString surname;
    QDate birthDate;
    QString birthPlace;
    QString trainingName;
    int trainingType = -1;
    QString form;
    QString purpose;
    QDate from;
    QDate to;
    QString organiserName;
    QString organiserAddress;
    QString place; // where it was issued
    std::vector<ProgrammeRow> programme;
    PlannedHours total;
};

// The texts of the certificate of participant p in course c, issued as number
// on the day issued, from the data as they stand; dataDir holds the training's
// catalogue record and its outline with the programme.
IssuedCertificate certificateText(const QString &dataDir, const Organiser &organiser, const Course &course,
                                  const Participant &participant, const QString &number, const QDate &issued);
// Stores the texts of the certificate with register id certificate, inside a transaction.
bool storeCertificateText(QSqlQuery &q, qint64 certificate, const IssuedCertificate &text);

// The certificates of the course (every one when course is 0) as issued, in
// the register's order; with a Polish message in *error when they cannot be read.
std::vector<IssuedCertificate> issuedCertificates(db::Database &database, qint64 course, QString *error);

// Stores the texts of every certificate that has none yet (issued by an older
// version of the program), from the data as they stand now.
bool storeMissingCertificateTexts(db::Database &database, const QString &dataDir, QString *error);

} // namespace marbelo
