// A course together with its exam's settings (the commission and the pass
// mark are entered with the course): added and changed in one transaction,
// so the course form's edit and its undo are one step each, and a new pass
// mark re-scores the stored results in the same transaction.
#pragma once

#include "courses/CourseTypes.h"
#include "exam/ExamStore.h"

#include <optional>

namespace marbelo::exam {

std::optional<qint64> addCourseWithExam(db::Database &database, const Course &course, const ExamSettings &settings,
                                        QString *error);
bool updateCourseWithExam(db::Database &database, const Course &course, const ExamSettings &settings,
                          QString *error);

} // namespace marbelo::exam
