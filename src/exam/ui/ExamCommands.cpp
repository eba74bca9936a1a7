#include "exam/ui/ExamCommands.h"

#include "courses/CourseService.h"
#include "exam/Draw.h"
#include "exam/ExamService.h"
#include "exam/ui/ExamForms.h"
#include "store/components/Messages.h"

namespace marbelo::exam {

namespace {

// The file name a save dialog proposes for the selected course's document.
QString proposedName(ExamDocument kind, const CoursesWindow &window)
{
    switch (kind) {
    case ExamDocument::Sheets: return window.courseFileName(QStringLiteral("Arkusze testu"));
    case ExamDocument::Key: return window.courseFileName(QStringLiteral("Klucz odpowiedzi"));
    case ExamDocument::Protocol: break;
    }
    return window.courseFileName(QStringLiteral("Protokół egzaminu"));
}

} // namespace

ExamCommands::ExamCommands(const QStringList &libraryDirs, QObject *parent)
    : QObject(parent), m_libraryDirs(libraryDirs), m_questions{testSizeForm, resultsForm}
{
}

bool ExamCommands::handles(Command command) const
{
    return command == Command::PrepareTest || command == Command::TestSheets || command == Command::ExamResults
        || command == Command::ExamProtocol;
}

void ExamCommands::run(Command command, CoursesWindow &window)
{
    ExamService exam(window.service(), m_libraryDirs);
    switch (command) {
    case Command::PrepareTest:
        return prepareTest(window, exam);
    case Command::TestSheets:
        return saveSheets(window, exam);
    case Command::ExamResults:
        return enterResults(window, exam);
    case Command::ExamProtocol:
        saveDocument(window, exam, ExamDocument::Protocol, QStringLiteral("Protokół egzaminu (*.pdf)"));
        return;
    default:
        return;
    }
}

bool ExamCommands::saveDocument(CoursesWindow &window, ExamService &exam, ExamDocument kind, const QString &filter)
{
    const QString path = window.askSavePath(filter, proposedName(kind, window));
    if (path.isEmpty())
        return false;
    QString error;
    if (exam.saveDocument(kind, window.selectedCourse(), path, &error))
        return true;
    window.messages().inform(error);
    return false;
}

void ExamCommands::prepareTest(CoursesWindow &window, ExamService &exam)
{
    const qint64 course = window.selectedCourse();
    if (window.courseRow() && window.courseRow()->testQuestions > 0
        && !window.messages().confirm(QStringLiteral("Kurs nr %1 ma już przygotowany test. Wylosować nowy? Wydrukowane "
                                                     "arkusze nie będą pasowały do nowego klucza.")
                                          .arg(course),
                                      DefaultAnswer::No))
        return;
    int count = kDefaultQuestionCount;
    int variants = kDefaultVariantCount;
    if (!m_questions.testSize(&window, &count, &variants))
        return;
    QString error;
    if (!exam.prepareTest(course, count, variants, newDrawNumber(), &error)) {
        window.messages().inform(error);
        return;
    }
    window.reload();
    saveSheets(window, exam);
}

void ExamCommands::saveSheets(CoursesWindow &window, ExamService &exam)
{
    // The stored draw: printing again gives the same sheets.
    if (saveDocument(window, exam, ExamDocument::Sheets, QStringLiteral("Arkusze testu (*.pdf)")))
        saveDocument(window, exam, ExamDocument::Key, QStringLiteral("Klucz odpowiedzi (*.pdf)"));
}

void ExamCommands::enterResults(CoursesWindow &window, ExamService &exam)
{
    const qint64 course = window.selectedCourse();
    const std::vector<Participant> people = window.participantRows();
    if (people.empty()) {
        window.messages().inform(QStringLiteral("Kurs nr %1 nie ma uczestników.").arg(course));
        return;
    }
    std::vector<ResultEntry> entries;
    ExamTest test;
    QString error;
    if (!exam.resultEntries(course, people, &entries, &error) || !exam.test(course, &test, &error)) {
        window.messages().inform(error);
        return;
    }
    // The form opens again with what was typed until every row is right or the user cancels.
    while (m_questions.results(&window, people, test.questionCount(), &entries)) {
        std::vector<ResultEntry> filled;
        QStringList problems;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].isBlank())
                continue;
            if (const QString problem = resultEntryProblem(test, entries[i]); !problem.isEmpty())
                problems << people[i].surname + QLatin1Char(' ') + people[i].firstName + QStringLiteral(": ") + problem;
            filled.push_back(entries[i]);
        }
        if (problems.isEmpty() && exam.recordResults(course, filled, &error))
            break;
        window.messages().inform(problems.isEmpty() ? error
                                                    : QStringLiteral("Nie zapisano wyników:\n") + problems.join(QLatin1Char('\n')));
    }
}

} // namespace marbelo::exam
