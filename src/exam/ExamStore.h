// A course's exam in the database: its settings (pass mark, commission,
// date), the test as drawn (every variant's questions copied with their
// answers in the printed order, and the draw number), and each
// participant's result, which also sets the participant's "passed".
#pragma once

#include "exam/CourseTopics.h"
#include "exam/Scoring.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QSqlQuery;

#include <cstdint>
#include <optional>
#include <vector>

namespace marbelo::db {
class Database;
}

namespace marbelo::exam {

struct ExamSettings
{
    int passMark = kDefaultPassMark; // percent of the questions
    QStringList commission;          // members, the chair first
    QDate date;                      // invalid: the course's last day
};

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

struct ExamResult
{
    qint64 participant = 0;
    int variant = -1; // -1: only the score was entered
    QString letters;
    int points = 0;
    bool passed = false;
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

ExamSettings examSettings(db::Database &database, qint64 course);
// Stores the settings and re-scores every stored result of the course by the
// pass mark, setting "passed" with it, in one transaction. Refused when the
// new mark would fail a participant whose certificate is in force: a
// certificate stands for a passed exam and is never changed.
bool setExamSettings(db::Database &database, qint64 course, const ExamSettings &settings, QString *error);
// The same statements on a query inside a transaction; false with *refusal
// set when refused.
bool writeExamSettings(QSqlQuery &q, qint64 course, const ExamSettings &settings, QString *refusal);
// Empty when the settings can be stored, else why not (Polish).
QString examSettingsProblem(const ExamSettings &settings);

ExamTest examTest(db::Database &database, qint64 course);
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
std::vector<ExamResult> examResults(db::Database &database, qint64 course);

} // namespace marbelo::exam
