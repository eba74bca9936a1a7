// The exam's forms: in the "Kursy" window the size of a new test, and the
// results of the participants typed quickly, a row each (the variant and the
// letters marked, "ABCAD...", or only the points); for the e-learning package
// its self-check test's size and pass mark. Each returns true when the user
// confirmed with "OK".
#pragma once

#include "courses/CourseTypes.h"
#include "exam/ExamStore.h"

#include <vector>

class QWidget;

namespace marbelo::exam {

constexpr int kTestSizeHelp = 4160;
constexpr int kResultsHelp = 4170;
constexpr int kScormHelp = 2251;

bool testSizeForm(QWidget *owner, int *count, int *variants);
// passMark in per cent.
bool selfCheckForm(QWidget *owner, int *count, int *passMark);

// entries: one per participant, in the participants' order; a blank entry
// holds no result.
bool resultsForm(QWidget *owner, const std::vector<Participant> &participants, int questions,
                 std::vector<ResultEntry> *entries);

} // namespace marbelo::exam
