// A course together with its exam's settings (the commission and the pass
// mark are entered with the course): added and changed in one transaction,
// so the course form's edit and its undo are one step each, and a new pass
// mark re-scores the stored results in the same transaction.
#pragma once

#include "courses/CourseTypes.h"
#include "exam/ExamStore.h"

#include <QVariantList>

#include <optional>
#include <vector>

namespace marbelo::exam {

std::optional<qint64> addCourseWithExam(db::Database &database, const Course &course, const ExamSettings &settings,
                                        QString *error);
bool updateCourseWithExam(db::Database &database, const Course &course, const ExamSettings &settings,
                          QString *error);

// A course's exam rows as stored (settings, the test as drawn, the results),
// so the undo of a deletion brings them back exactly with the course or the
// participants; deleting those deletes their exam rows with them.
struct ExamRows
{
    std::vector<QVariantList> exam;
    std::vector<QVariantList> items;
    std::vector<QVariantList> results;
};
ExamRows readExamRows(db::Database &database, qint64 course);
// Puts a deleted course back with its participants and exam rows, in one transaction.
bool restoreCourseWithExam(db::Database &database, const Course &course, const std::vector<Participant> &participants,
                           const ExamRows &rows, QString *error);
// Puts removed participants back with their results, in one transaction.
bool restoreParticipantsWithResults(db::Database &database, qint64 course,
                                    const std::vector<Participant> &participants, const ExamRows &rows,
                                    QString *error);

} // namespace marbelo::exam
