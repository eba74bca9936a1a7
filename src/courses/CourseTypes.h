// The records of the course database as the program holds them.
#pragma once

#include <QDate>
#include <QString>

namespace marbelo {

// Who runs the trainings; one per data folder.
struct Organiser
{
    QString name;
    QString address;
    QString place;                             // where certificates are issued
    QString numberFormat = QStringLiteral("N/RRRR"); // N: the number, RRRR: the year
    bool restartYearly = false;                // numbering starts at 1 each year
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
    // Read only: counts shown in the list.
    int participants = 0;
    int certificates = 0;
};

struct Participant
{
    qint64 id = 0;
    qint64 course = 0;
    QString firstName;
    QString surname;
    QDate birthDate;
    QString birthPlace;
    QString position;
    bool passed = false;
    // Read only: the number of the participant's certificate in force, if any.
    QString certificate;
};

// One line of the register of certificates.
struct RegisterEntry
{
    qint64 id = 0;
    QString number;
    int serial = 0;
    int series = 0; // 0: continuous numbering, else the year
    qint64 participant = 0;
    QString participantName; // first name and surname
    qint64 course = 0;
    int training = 0;
    QDate issued;
    bool cancelled = false;
    QString cancelReason;
};

} // namespace marbelo
