// Who needs the next periodic training, and when: every certificate in
// force is valid until its course's last day plus the interval of its
// training type (or the participant's own, where the post allows another);
// a person's newer certificate of the same type replaces the older one, and
// a cancelled one counts for nothing.
#pragma once

#include "courses/CourseTypes.h"

#include <QDate>

#include <vector>

namespace marbelo {

namespace db {
class Database;
}

// A certificate of the register as the renewals count it: what it printed
// (names, date of birth, type, the course's last day) and the participant's
// record (post, interval, employer).
struct CertificateFact
{
    qint64 certificate = 0;
    QString number;
    bool cancelled = false;
    QString firstName;
    QString surname;
    QDate birthDate;
    QString birthPlace;
    int type = -1;
    QDate courseEnd;
    int chosenYears = 0; // the participant's interval; 0: the type's
    qint64 participant = 0;
    qint64 course = 0;
    int training = 0;
    QString position;
    Employer employer; // id 0: none
};

struct Renewal
{
    CertificateFact fact;
    QDate due;            // the day the next periodic training is due
    bool overdue = false; // due before the day counted from
};

// The day the next periodic training is due after that certificate; invalid
// for an unknown type.
QDate dueDate(const CertificateFact &fact);

// The certificates in force that are the newest of their person (same name
// and date of birth) and type, each with its due date: one per person and
// type, where that person's first certificate of the type stands.
std::vector<Renewal> validCertificates(const std::vector<CertificateFact> &facts, const QDate &asOf);
// Those due within months after asOf, or overdue, sorted by due date, then
// employer's name, surname and first name (Polish order).
std::vector<Renewal> dueRenewals(const std::vector<CertificateFact> &facts, const QDate &asOf, int months);

// Every certificate of the register with its text and participant; empty
// with a Polish message in *error when the database cannot be read.
std::vector<CertificateFact> readCertificateFacts(db::Database &database, QString *error);

// "zaległe" or "wkrótce".
QString renewalState(const Renewal &renewal);

} // namespace marbelo
