// The small forms of the "Kursy" window: a course, a participant, the
// organiser, an employer, the date of issue and the reason of a cancellation. Each returns
// true (or the text asked) when the user confirmed; the record is then filled
// in. A form whose rule refuses what was typed stays open with it, says why
// and marks the field to correct.
#pragma once

#include "courses/CourseTypes.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace marbelo {

namespace db {
struct DatabaseLocation;
}

// What the participant form offers beside the record itself.
struct ParticipantChoices
{
    std::vector<Participant> listed; // the course's participants, none of whom may be typed in twice
    std::vector<Employer> employers{}; // to choose the participant's employer from
    int trainingType = -1;           // whose intervals of periodic training are offered
};

// The forms and questions of the "Kursy" window's commands, which tests
// replace with scripted ones.
struct CourseQuestions
{
    // The course, its employer chosen among employers.
    std::function<bool(QWidget *, Course *, const std::vector<Employer> &employers)> course;
    std::function<bool(QWidget *, Participant *, const ParticipantChoices &)> participant;
    std::function<bool(QWidget *, Organiser *)> organiser;
    std::function<QString(QWidget *)> csvFile; // empty: cancelled
    // Why the certificate of that number is cancelled; empty: not cancelled.
    std::function<QString(QWidget *, const QString &certificate)> cancelReason;
    // Where to save a document; filter names the kinds offered, proposed
    // the file's name. Empty: cancelled.
    std::function<QString(QWidget *, const QString &filter, const QString &proposed)> savePath;
    // The date of issue, proposed in and out, never before earliest.
    std::function<bool(QWidget *, QDate *date, const QDate &earliest)> issueDate;
};

// The real forms and file dialogs.
CourseQuestions courseForms();
// A save dialog starting where file dialogs start, proposing that name.
QString askSaveFile(QWidget *owner, const QString &filter, const QString &proposed);

// The course with its employer ("(brak)" or one of employers), its exam's
// commission and pass mark.
bool editCourseForm(QWidget *owner, Course *course, const std::vector<Employer> &employers);
// The participant with its employer and, where the training type allows
// another, the interval of its periodic training.
bool editParticipantForm(QWidget *owner, Participant *participant, const ParticipantChoices &choices);
bool editOrganiserForm(QWidget *owner, Organiser *organiser);
// Where the data folder's database lives: its file or a server (no password here).
bool editDatabaseForm(QWidget *owner, db::DatabaseLocation *location);
bool editEmployerForm(QWidget *owner, Employer *employer);
// The date of issue of a course's certificates: from earliest to today.
bool issueDateForm(QWidget *owner, QDate *date, const QDate &earliest);
// Why the certificate of that number is cancelled; empty when the user closed the form.
QString cancelReasonForm(QWidget *owner, const QString &certificate);

} // namespace marbelo
