// The exam's commands of the "Kursy" window: "Przygotuj test...", "Arkusze
// testu...", "Wyniki egzaminu..." and "Protokół egzaminu..." for the course
// selected there, through the exam service.
#pragma once

#include "courses/ui/CoursesWindow.h"
#include "exam/ExamDocuments.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

namespace marbelo::exam {

class ExamService;

class ExamCommands : public QObject, public CourseCommandHandler
{
    Q_OBJECT
public:
    // The forms the commands ask; tests put scripted ones in.
    struct Questions
    {
        // The size of a new test: questions and variants.
        std::function<bool(QWidget *, int *count, int *variants)> testSize;
        // The results of the participants, in and out (a row per participant),
        // for a test of that many questions.
        std::function<bool(QWidget *, const std::vector<Participant> &, int questions, std::vector<ResultEntry> *)>
            results;
    };

    // libraryDirs: where the topics of the tests' draw are read.
    explicit ExamCommands(const QStringList &libraryDirs, QObject *parent = nullptr);

    Questions &questions() { return m_questions; }
    bool handles(Command command) const override;
    void run(Command command, CoursesWindow &window) override;

private:
    void prepareTest(CoursesWindow &window, ExamService &exam);
    void saveSheets(CoursesWindow &window, ExamService &exam);
    void enterResults(CoursesWindow &window, ExamService &exam);
    // Asks for a path and saves the document there; false when cancelled or failed (the user told).
    bool saveDocument(CoursesWindow &window, ExamService &exam, ExamDocument kind, const QString &filter);

    QStringList m_libraryDirs;
    Questions m_questions;
};

} // namespace marbelo::exam
