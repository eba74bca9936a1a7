// questions import|export, exam and scorm: the question bank, a course's exam
// and the e-learning package with its self-check test, through the same code
// as the window.

#include "Tool.h"

#include "courses/CourseService.h"
#include "courses/Results.h"
#include "exam/Draw.h"
#include "exam/ExamService.h"
#include "exam/QuestionBank.h"
#include "exam/ScormPackage.h"
#include "presentation/ExportPlan.h"
#include "store/DataFiles.h"
#include "store/WorkFolder.h"
#include "store/db/Database.h"
#include "trainings/OutlineTree.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace marbelo;
using namespace marbelo::exam;

namespace tool {

namespace {

bool readWholeFile(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

int importGift(db::Database &database, const QString &path)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes))
        return fail(path + QStringLiteral(": nie można odczytać pliku"));
    const GiftContents contents = readGift(bytes);
    if (!contents.error.isEmpty())
        return fail(path + QStringLiteral(": ") + contents.error);
    for (const GiftProblem &problem : contents.problems)
        err() << path << QStringLiteral(", wiersz ") << problem.line << QStringLiteral(": ") << problem.message
              << QStringLiteral(" Pominięto.\n");
    QString error;
    const auto count = importQuestions(database, contents.questions, &error);
    if (!count)
        return fail(error);
    out() << QStringLiteral("Zaimportowano pytań: %1, pominięto: %2\n").arg(*count).arg(contents.problems.size());
    if (contents.markupQuestions > 0)
        out() << QStringLiteral("Usunięto znaczniki HTML z pytań: %1.\n").arg(contents.markupQuestions);
    return kOk;
}

int exportGift(db::Database &database, const QString &path)
{
    QString error;
    return saveGiftFile(database, path, &error) ? kOk : fail(error);
}

// The demo questions of a demo data folder go into its bank once, so a test
// can be drawn on fresh demo data. An import of the trainer's own bank does
// not bring them (a bank with questions never gets them).
bool withDemoQuestions(db::Database &database, const QString &dataDirArg)
{
    QString error;
    if (importDemoQuestionsFrom(database, {dataDirOf(dataDirArg)}, &error))
        return true;
    fail(error);
    return false;
}

bool wantsPdf(const Parsed &parsed)
{
    return parsed.values.count(QStringLiteral("--sheets")) || parsed.values.count(QStringLiteral("--protocol"))
        || (parsed.values.count(QStringLiteral("--key")) && parsed.values.at(QStringLiteral("--key")) != QLatin1String("-"));
}

const QStringList kExamValues = {QStringLiteral("--draw"),     QStringLiteral("--variants"),  QStringLiteral("--seed"),
                                 QStringLiteral("--sheets"),   QStringLiteral("--key"),       QStringLiteral("--answers"),
                                 QStringLiteral("--protocol"), QStringLiteral("--pass-mark"), QStringLiteral("--commission")};
const QStringList kExamFlags = {QStringLiteral("--results")};

class ExamRun
{
public:
    ExamRun(CourseService &courses, qint64 course)
        : m_courses(courses), m_exam(courses, {courses.dataDir()}), m_course(course)
    {
    }

    int settings(const Parsed &parsed)
    {
        QString error;
        ExamSettings settings = examSettings(m_courses.database(), m_course, &error);
        if (!error.isEmpty())
            return fail(error);
        if (parsed.values.count(QStringLiteral("--pass-mark"))) {
            bool ok = false;
            settings.passMark = parsed.values.at(QStringLiteral("--pass-mark")).toInt(&ok);
            if (!ok)
                return usage(QStringLiteral("exam: --pass-mark needs a percentage"));
        }
        if (parsed.values.count(QStringLiteral("--commission")))
            settings.commission = parsed.values.at(QStringLiteral("--commission")).split(u';');
        return setExamSettings(m_courses.database(), m_course, settings, &error) ? kOk : fail(error);
    }

    int draw(const Parsed &parsed)
    {
        bool ok = false;
        const int count = parsed.values.at(QStringLiteral("--draw")).toInt(&ok);
        int variants = kDefaultVariantCount;
        if (ok && parsed.values.count(QStringLiteral("--variants")))
            variants = parsed.values.at(QStringLiteral("--variants")).toInt(&ok);
        std::uint64_t number = newDrawNumber();
        if (ok && parsed.values.count(QStringLiteral("--seed")))
            number = parsed.values.at(QStringLiteral("--seed")).toULongLong(&ok);
        if (!ok)
            return usage(QStringLiteral("exam: --draw, --variants and --seed take whole numbers"));
        QString error;
        if (!m_exam.prepareTest(m_course, count, variants, number, &error))
            return fail(error);
        out() << QStringLiteral("Test: %1 pytań, wariantów: %2, numer losowania: %3\n").arg(count).arg(variants).arg(number);
        return kOk;
    }

    int answers(const QString &path)
    {
        QByteArray bytes;
        if (!readWholeFile(path, &bytes))
            return fail(path + QStringLiteral(": nie można odczytać pliku"));
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        std::vector<Participant> people;
        ExamTest test;
        QString error;
        if (!m_courses.participants(m_course, &people, &error) || !m_exam.test(m_course, &test, &error))
            return fail(error);
        // Every line is checked before any is stored; all are stored in one transaction.
        std::vector<ResultEntry> entries;
        int problems = 0;
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            if (line.isEmpty())
                continue;
            QString problem;
            const QStringList fields = line.split(u';');
            qint64 id = 0;
            if (fields.size() != 4) {
                problem = QStringLiteral("wiersz musi mieć postać nazwisko;imię;wariant;litery");
            } else {
                for (const Participant &p : people) {
                    if (p.surname.compare(fields[0].trimmed(), Qt::CaseInsensitive) != 0
                        || p.firstName.compare(fields[1].trimmed(), Qt::CaseInsensitive) != 0)
                        continue;
                    if (id)
                        problem = QStringLiteral("dwóch uczestników o tym imieniu i nazwisku");
                    id = p.id;
                }
                if (!id)
                    problem = QStringLiteral("nie ma takiego uczestnika kursu");
            }
            const ResultEntry entry{id, fields.value(2).trimmed(), fields.value(3).trimmed(), -1};
            if (problem.isEmpty())
                problem = resultEntryProblem(test, entry);
            if (!problem.isEmpty()) {
                err() << path << QStringLiteral(", wiersz ") << i + 1 << QStringLiteral(": ") << problem << '\n';
                ++problems;
            } else {
                entries.push_back(entry);
            }
        }
        if (problems)
            return fail(QStringLiteral("Nie zapisano wyników: popraw błędne wiersze (%1).").arg(problems));
        return m_exam.recordResults(m_course, entries, &error) ? kOk : fail(error);
    }

    int results()
    {
        QString error;
        std::vector<Participant> people;
        ExamTest test;
        if (!m_courses.participants(m_course, &people, &error) || !m_exam.test(m_course, &test, &error))
            return fail(error);
        const std::vector<ExamResult> results = examResults(m_courses.database(), m_course, &error);
        if (!error.isEmpty())
            return fail(error);
        const int questions = test.questionCount();
        for (const Participant &p : people) {
            out() << field(p.surname + u' ' + p.firstName);
            const auto found = std::find_if(results.begin(), results.end(),
                                            [&](const ExamResult &r) { return r.participant == p.id; });
            if (found == results.end()) {
                out() << QStringLiteral("\t\t\t\t0\n");
                continue;
            }
            out() << '\t' << (found->variant >= 0 ? QString(variantLetter(found->variant)) : QStringLiteral("-")) << '\t'
                  << found->points << '\t' << percentOf(found->points, questions) << '\t' << (found->passed ? 1 : 0)
                  << '\n';
        }
        return kOk;
    }

    int document(const QString &what, const QString &path)
    {
        ExamDocumentData data;
        QString error;
        if (!m_exam.documentData(m_course, &data, &error))
            return fail(error);
        if (data.test.variants.empty())
            return fail(QStringLiteral("Dla kursu nr %1 nie przygotowano jeszcze testu.").arg(m_course));
        if (what == QLatin1String("--key") && path == QLatin1String("-")) {
            out() << answerKeyTsv(data.test);
            return kOk;
        }
        const ExamDocument kind = what == QLatin1String("--sheets") ? ExamDocument::Sheets
                                : what == QLatin1String("--key")    ? ExamDocument::Key
                                                                    : ExamDocument::Protocol;
        return saveExamDocument(kind, data, path, &error) ? kOk : fail(error);
    }

private:
    CourseService &m_courses;
    ExamService m_exam;
    qint64 m_course;
};

} // namespace

bool examNeedsGuiApplication(const QStringList &args)
{
    Parsed parsed;
    return !args.isEmpty() && args[0] == QLatin1String("exam") && parse(args.mid(1), kExamValues, kExamFlags, &parsed)
        && wantsPdf(parsed);
}

int questions(const QStringList &args)
{
    if (args.size() != 3 || (args[0] != QLatin1String("import") && args[0] != QLatin1String("export")))
        return usage(QStringLiteral("questions needs import|export DATADIR FILE.gift"));
    int result = kOk;
    const auto database = openDatabase(args[1], &result);
    if (!database)
        return result;
    if (args[0] == QLatin1String("import"))
        return importGift(*database, args[2]);
    return withDemoQuestions(*database, args[1]) ? exportGift(*database, args[2]) : kFailed;
}

int exam(const QStringList &args)
{
    Parsed parsed;
    qint64 courseId = 0;
    if (!parse(args, kExamValues, kExamFlags, &parsed) || parsed.positional.size() != 2
        || !courseNumber(parsed.positional[1], &courseId)
        || (parsed.values.count(QStringLiteral("--draw")) == 0
            && (parsed.values.count(QStringLiteral("--variants")) || parsed.values.count(QStringLiteral("--seed")))))
        return usage(QStringLiteral("exam needs DATADIR COURSE [--draw QUESTIONS [--variants V] [--seed S]]"
                                    " [--pass-mark P] [--commission \"A;B;C\"] [--answers FILE] [--sheets OUT.pdf]"
                                    " [--key OUT.pdf|-] [--protocol OUT.pdf] [--results]"));
    int result = kOk;
    const auto paperwork = openPaperwork(parsed.positional[0], &result);
    if (!paperwork)
        return result;
    if (!withDemoQuestions(*paperwork->database, parsed.positional[0]))
        return kFailed;
    Course course;
    QString error;
    if (!paperwork->courses->course(courseId, &course, &error))
        return fail(error);
    ExamRun run(*paperwork->courses, courseId);
    if (parsed.values.count(QStringLiteral("--pass-mark")) || parsed.values.count(QStringLiteral("--commission")))
        result = run.settings(parsed);
    if (result == kOk && parsed.values.count(QStringLiteral("--draw")))
        result = run.draw(parsed);
    if (result == kOk && parsed.values.count(QStringLiteral("--answers")))
        result = run.answers(parsed.values.at(QStringLiteral("--answers")));
    for (const QString &what : {QStringLiteral("--sheets"), QStringLiteral("--key"), QStringLiteral("--protocol")})
        if (result == kOk && parsed.values.count(what))
            result = run.document(what, parsed.values.at(what));
    if (result == kOk && parsed.flags.count(QStringLiteral("--results")))
        result = run.results();
    return result;
}

int scorm(const QStringList &args)
{
    Parsed parsed;
    const QStringList values = {QStringLiteral("--questions"), QStringLiteral("--pass-mark")};
    ScormOptions options;
    if (!parse(args, values, {}, &parsed) || parsed.positional.size() != 3)
        return usage(QStringLiteral("scorm needs DATADIR NUMBER OUT.zip [--questions N] [--pass-mark P]"));
    bool isNumber = false;
    const int training = parsed.positional[1].toInt(&isNumber);
    bool questionsOk = true, passMarkOk = true;
    if (parsed.values.count(QStringLiteral("--questions")))
        options.questions = parsed.values.at(QStringLiteral("--questions")).toInt(&questionsOk);
    if (parsed.values.count(QStringLiteral("--pass-mark")))
        options.passMark = parsed.values.at(QStringLiteral("--pass-mark")).toInt(&passMarkOk);
    if (!isNumber || training < 0 || !questionsOk || !passMarkOk)
        return usage(QStringLiteral("scorm: NUMBER, N and P must be numbers"));
    const QString dataDir = dataDirOf(parsed.positional[0]);
    // No file the program reads or writes is overwritten by the package.
    const WorkFolder workFolder;
    const QString taken = refusedTarget(QFileInfo(parsed.positional[2]).absoluteFilePath(), dataDir,
                                        workFolder.presentationPath(), training);
    if (!taken.isEmpty())
        return fail(scormTargetRefusal(taken));
    int result = kOk;
    const auto database = openDatabase(parsed.positional[0], &result);
    if (!database)
        return result;
    if (!withDemoQuestions(*database, parsed.positional[0]))
        return kFailed;
    options.libraryDirs = {dataDir};
    const OutlineTree tree = OutlineTree::load(dataDir + outlineFileName(training));
    const ScormResult written =
        writeScormPackage(dataDir, training, tree, *database, options, parsed.positional[2]);
    if (!written.ok)
        return fail(QStringLiteral("scorm: ") + scormMessage(written));
    out() << "slides\t" << written.slides << "\tquestions\t" << written.questions << "\tslide-bytes\t"
          << written.slideBytes << "\tbytes\t" << written.bytes << Qt::endl;
    return kOk;
}

} // namespace tool
