// The records of the course database as the program holds them.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace marbelo {

// Who runs the trainings; one per data folder.
struct Organiser
{
    QString name;
    QString address;
    QString place;                             // where certificates are issued
    QString numberFormat = QStringLiteral("N/RRRR"); // N: the number, RRRR: the year
    bool restartYearly = false;                // numbering starts at 1 each year
    QByteArray logo{};                         // a PNG or JPEG picture for the letterhead; empty: none
    QString phone{};                           // the contact printed on letters to employers
    QString email{};
};

// A firm whose staff take the courses (a client of the organiser).
struct Employer
{
    qint64 id = 0;
    QString name;
    QString address;
    QString nip; // ten digits, or empty
    QString contact; // the person to write to
    QString email;
    QString phone;
    // Read only: how many participants and courses refer to it.
    int participants = 0;
    int courses = 0;
};

constexpr int kDefaultPassMark = 60; // percent of the questions

// A course's final exam as the course form sets it.
struct ExamSettings
{
    int passMark = kDefaultPassMark;
    QStringList commission; // members, the chair first
    QDate date;             // invalid: the course's last day
};

// One run of a training.
struct Course
{
    qint64 id = 0;
    int training = 0; // the training's number in the catalogue
    QDate from;
    QDate to;
    QString place;
    QString trainers;
    QString form;
    QString purpose;
    qint64 employer = 0; // the employer who ordered the course; 0: none (an open course)
    ExamSettings exam;
    // Read only: counts shown in the list, and the questions of each variant
    // of the test drawn for the course (0: no test yet).
    int participants = 0;
    int certificates = 0;
    int testQuestions = 0;
};

constexpr qint64 kCourseEmployer = -1;

struct Participant
{
    qint64 id = 0;
    qint64 course = 0;
    QString firstName;
    QString surname;
    QDate birthDate;
    QString birthPlace;
    QString position;
    // The participant's employer; 0: none. kCourseEmployer (as a participant
    // from a file starts) is resolved on adding: the employer of employerNip,
    // else of employerName, else a new one of that name, else the course's.
    qint64 employer = kCourseEmployer;
    QString employerName;
    QString employerNip;
    // Years to the next periodic training where the post allows another than
    // the training type's; 0: the type's.
    int intervalYears = 0;
    // Whether the participant passed: the stored exam result decides where
    // there is one; without one, the trainer's own mark.
    bool passed = false;
    // Read only: whether an exam result is stored and its points, and the
    // number of the participant's certificate in force, if any.
    bool examined = false;
    int points = 0;
    QString certificate;
    // The number of the latest cancelled certificate, when none is in force.
    QString cancelledCertificate;
};

// A participant's stored exam result: the sheet's variant and letters as
// typed (variant -1: only the points were entered) and the verdict by the
// course's pass mark.
struct ExamResult
{
    qint64 participant = 0;
    int variant = -1;
    QString letters;
    int points = 0;
    bool passed = false;
};

// One line of the register of certificates.
struct RegisterEntry
{
    qint64 id = 0;
    QString number;
    int serial = 0;
    int series = 0; // 0: continuous numbering, else the year
    qint64 participant = 0;
    QString participantName; // first name and surname, as the certificate printed them
    QDate birthDate;
    qint64 course = 0;
    int training = 0;
    QString trainingName; // as printed; empty for a certificate whose text is not stored yet
    QDate issued;
    bool cancelled = false;
    QString cancelReason;
};

} // namespace marbelo
