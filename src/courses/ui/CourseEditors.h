// The small forms of the "Kursy" window: a course, a participant, the
// organiser. Each returns true when the user confirmed with "OK"; the
// record is then filled in.
#pragma once

#include "courses/CourseTypes.h"

class QWidget;

namespace marbelo {

// The course with its exam's commission and pass mark.
bool editCourseForm(QWidget *owner, Course *course);
bool editParticipantForm(QWidget *owner, Participant *participant);
bool editOrganiserForm(QWidget *owner, Organiser *organiser);
// The date of issue of a course's certificates: from earliest to today.
bool issueDateForm(QWidget *owner, QDate *date, const QDate &earliest);

} // namespace marbelo
