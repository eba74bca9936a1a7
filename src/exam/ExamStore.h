// A course's test in the database: the test as drawn (every variant's
// questions copied with their answers in the printed order, and the draw
// number), and the sheets typed in scored against it; the results are then
// stored with the course (courses/Results), which decides who passed.
#pragma once

#include "courses/CourseTypes.h"
#include "exam/CourseTopics.h"
#include "exam/Scoring.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace marbelo::db {
class Database;
}

namespace marbelo::exam {

struct SheetQuestion
{
    QString topic;
    QString text;
    QStringList answers; // in the order printed
    int right = 0;
};

struct ExamTest
{
    QString drawNumber;                          // empty: no test prepared
    std::vector<std::vector<SheetQuestion>> variants; // A, B, ...
    int questionCount() const { return variants.empty() ? 0 : int(variants.front().size()); }
};

// One participant's sheet as entered: the variant ("A", "B", ...) and the
// letters marked; or, with both empty, only the points.
struct ResultEntry
{
    qint64 participant = 0;
    QString variant;
    QString letters;
    int points = -1;
    // Nothing entered for the participant.
    bool isBlank() const { return variant.isEmpty() && letters.isEmpty() && points == -1; }
};

// The course's test; no variants when none was drawn, or (with a Polish
// message in *error) when the database cannot be read.
ExamTest examTest(db::Database &database, qint64 course, QString *error = nullptr);
// Draws count questions in variantCount variants from the bank's questions
// of the topics, and stores them with the number. Refused while the course
// has results (a new test would not match them).
bool prepareTest(db::Database &database, qint64 course, const std::vector<UsedTopic> &topics, int count,
                 int variantCount, std::uint64_t number, QString *error);
// A random draw number for a new test.
std::uint64_t newDrawNumber();

// Scores the letters typed for a participant's sheet of the given variant
// ("A", "B", ...) and stores the result; or stores a score alone.
bool recordLetters(db::Database &database, qint64 participant, const QString &variant, const QString &letters,
                   QString *error);
bool recordPoints(db::Database &database, qint64 participant, int points, QString *error);
// Empty when the entry can be scored against the course's test, else why not.
QString resultEntryProblem(const ExamTest &test, const ResultEntry &entry);
// Scores the entries of the course's participants and stores them all in one
// transaction, or none (false with a Polish message).
bool recordResults(db::Database &database, qint64 course, const std::vector<ResultEntry> &entries, QString *error);

} // namespace marbelo::exam
