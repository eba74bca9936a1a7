// The small forms of the "Kursy" window: a course, a participant, the
// organiser, the date of issue and the reason of a cancellation. Each returns
// true (or the text asked) when the user confirmed; the record is then filled
// in. A form whose rule refuses what was typed stays open with it, says why
// and marks the field to correct.
#pragma once

#include "courses/CourseTypes.h"

#include <vector>

class QWidget;

namespace marbelo {

// The course with its exam's commission and pass mark.
bool editCourseForm(QWidget *owner, Course *course);
// listed: the course's participants, none of whom may be typed in twice.
bool editParticipantForm(QWidget *owner, Participant *participant, const std::vector<Participant> &listed);
bool editOrganiserForm(QWidget *owner, Organiser *organiser);
// The date of issue of a course's certificates: from earliest to today.
bool issueDateForm(QWidget *owner, QDate *date, const QDate &earliest);
// Why the certificate of that number is cancelled; empty when the user closed the form.
QString cancelReasonForm(QWidget *owner, const QString &certificate);

} // namespace marbelo
