#include "exam/ExamStore.h"

#include "exam/Draw.h"
#include "exam/QuestionBank.h"
#include "store/db/Database.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QSqlQuery>

#include <algorithm>

namespace marbelo::exam {

namespace {

QStringList fromJson(const QString &json)
{
    QStringList list;
    for (const QJsonValue &value : QJsonDocument::fromJson(json.toUtf8()).array())
        list << value.toString();
    return list;
}

QString toJson(const QStringList &list)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(list)).toJson(QJsonDocument::Compact));
}

// The course of a participant; 0 when there is none.
qint64 courseOf(db::Database &database, qint64 participant)
{
    QSqlQuery q = database.query();
    if (!db::run(q, QStringLiteral("SELECT course FROM participant WHERE id = ?"), {participant}) || !q.next())
        return 0;
    return q.value(0).toLongLong();
}

bool ensureExamRow(QSqlQuery &q, qint64 course)
{
    return db::run(q, QStringLiteral("INSERT OR IGNORE INTO exam (course) VALUES (?)"), {course});
}

// The variant's index for its letter ("A", "b", ...); -1 when the test has none.
int variantIndex(const ExamTest &test, const QString &variant)
{
    const QString name = variant.trimmed().toUpper();
    const int index = name.size() == 1 ? name[0].unicode() - u'A' : -1;
    return index >= 0 && index < int(test.variants.size()) ? index : -1;
}

// The entry scored against the test; false with a Polish message.
bool scoreEntry(const ExamTest &test, int passMark, const ResultEntry &entry, ExamResult *result, QString *error)
{
    const int questions = test.questionCount();
    if (questions == 0) {
        *error = QStringLiteral("Dla tego kursu nie przygotowano jeszcze testu.");
        return false;
    }
    *result = ExamResult{entry.participant, -1, QString(), entry.points, false};
    if (entry.variant.trimmed().isEmpty() && !entry.letters.trimmed().isEmpty()) {
        *error = QStringLiteral("Podaj wariant testu (A, B, …), z którego pochodzą zaznaczone litery.");
        return false;
    }
    if (entry.variant.trimmed().isEmpty()) {
        if (entry.points < 0 || entry.points > questions) {
            *error = QStringLiteral("Wynik musi wynosić od 0 do %1 punktów.").arg(questions);
            return false;
        }
    } else {
        result->variant = variantIndex(test, entry.variant);
        if (result->variant < 0) {
            *error = QStringLiteral("Test nie ma wariantu „%1” (są warianty A–%2).")
                         .arg(entry.variant.trimmed(), QString(variantLetter(int(test.variants.size()) - 1)));
            return false;
        }
        QList<KeyQuestion> key;
        for (const SheetQuestion &question : test.variants[std::size_t(result->variant)])
            key << KeyQuestion{question.right, int(question.answers.size())};
        result->letters = entry.letters.toUpper().remove(u' ');
        if (!scoreLetters(key, entry.letters, &result->points, error))
            return false;
    }
    result->passed = passes(result->points, questions, passMark);
    return true;
}

// The number of the participant's certificate in force; empty when none.
bool certificateInForce(QSqlQuery &q, qint64 participant, QString *number)
{
    if (!db::run(q, QStringLiteral("SELECT number FROM certificate WHERE participant = ? AND cancelled = 0"),
                 {participant}))
        return false;
    *number = q.next() ? q.value(0).toString() : QString();
    return true;
}

bool storeResult(QSqlQuery &q, qint64 course, const ExamResult &result, QString *refusal)
{
    if (!db::run(q, QStringLiteral("SELECT course FROM participant WHERE id = ?"), {result.participant}))
        return false;
    if (!q.next() || q.value(0).toLongLong() != course) {
        *refusal = QStringLiteral("Nie ma takiego uczestnika kursu nr %1.").arg(course);
        return false;
    }
    // A certificate in force stands for a passed exam.
    QString number;
    if (!certificateInForce(q, result.participant, &number))
        return false;
    if (!result.passed && !number.isEmpty()) {
        *refusal = QStringLiteral("Uczestnik ma zaświadczenie nr %1: wynik negatywny można wpisać dopiero "
                                  "po jego anulowaniu.")
                       .arg(number);
        return false;
    }
    return db::run(q, QStringLiteral("INSERT OR REPLACE INTO exam_result (participant, variant, letters, points,"
                                     " passed) VALUES (?, ?, ?, ?, ?)"),
                   {result.participant, result.variant < 0 ? QVariant() : QVariant(result.variant),
                    db::text(result.letters), result.points, result.passed ? 1 : 0})
        && db::run(q, QStringLiteral("UPDATE participant SET passed = ? WHERE id = ?"),
                   {result.passed ? 1 : 0, result.participant});
}

// Every stored result of the course scored again by passMark.
bool rescore(QSqlQuery &q, qint64 course, int passMark, QString *refusal)
{
    if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM exam_item WHERE course = ? AND variant = 0"), {course})
        || !q.next())
        return false;
    const int questions = q.value(0).toInt();
    if (!db::run(q, QStringLiteral("SELECT r.participant, r.points, p.first_name || ' ' || p.surname,"
                                   " (SELECT z.number FROM certificate z WHERE z.participant = r.participant"
                                   " AND z.cancelled = 0) FROM exam_result r JOIN participant p"
                                   " ON p.id = r.participant WHERE p.course = ? ORDER BY r.participant"),
                 {course}))
        return false;
    std::vector<std::pair<qint64, bool>> scored;
    QStringList certified;
    while (q.next()) {
        const bool passed = passes(q.value(1).toInt(), questions, passMark);
        if (!passed && !q.value(3).isNull())
            certified << QStringLiteral("%1 (nr %2)").arg(q.value(2).toString(), q.value(3).toString());
        scored.emplace_back(q.value(0).toLongLong(), passed);
    }
    if (!certified.isEmpty()) {
        *refusal = QStringLiteral("Przy progu %1% nie zaliczyliby egzaminu uczestnicy, którym wystawiono już "
                                  "zaświadczenia: %2. Zaświadczenie wystawione po zdanym egzaminie pozostaje; "
                                  "próg można zmienić dopiero po anulowaniu tych zaświadczeń.")
                       .arg(passMark)
                       .arg(certified.join(QStringLiteral(", ")));
        return false;
    }
    for (const auto &[participant, passed] : scored)
        if (!db::run(q, QStringLiteral("UPDATE exam_result SET passed = ? WHERE participant = ?"),
                     {passed ? 1 : 0, participant})
            || !db::run(q, QStringLiteral("UPDATE participant SET passed = ? WHERE id = ?"),
                        {passed ? 1 : 0, participant}))
            return false;
    return true;
}

QStringList membersOf(const QStringList &commission)
{
    QStringList members;
    for (const QString &member : commission)
        if (!member.trimmed().isEmpty())
            members << member.trimmed();
    return members;
}

} // namespace

ExamSettings examSettings(db::Database &database, qint64 course)
{
    ExamSettings settings;
    QSqlQuery q = database.query();
    if (database.isOpen()
        && db::run(q, QStringLiteral("SELECT pass_mark, commission, exam_date FROM exam WHERE course = ?"), {course})
        && q.next()) {
        settings.passMark = q.value(0).toInt();
        settings.commission = fromJson(q.value(1).toString());
        settings.date = QDate::fromString(q.value(2).toString(), Qt::ISODate);
    }
    return settings;
}

QString examSettingsProblem(const ExamSettings &settings)
{
    if (settings.passMark < 1 || settings.passMark > 100)
        return QStringLiteral("Próg zaliczenia musi wynosić od 1 do 100%.");
    return QString();
}

bool writeExamSettings(QSqlQuery &q, qint64 course, const ExamSettings &settings, QString *refusal)
{
    if (const QString problem = examSettingsProblem(settings); !problem.isEmpty()) {
        *refusal = problem;
        return false;
    }
    return ensureExamRow(q, course)
        && db::run(q, QStringLiteral("UPDATE exam SET pass_mark = ?, commission = ?, exam_date = ? WHERE course = ?"),
                   {settings.passMark, toJson(membersOf(settings.commission)),
                    settings.date.isValid() ? settings.date.toString(Qt::ISODate) : QStringLiteral(""), course})
        && rescore(q, course, settings.passMark, refusal);
}

bool setExamSettings(db::Database &database, qint64 course, const ExamSettings &settings, QString *error)
{
    if (const QString problem = examSettingsProblem(settings); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    return database.write(
        [&](QSqlQuery &q, QString *refusal) { return writeExamSettings(q, course, settings, refusal); }, error);
}

ExamTest examTest(db::Database &database, qint64 course)
{
    ExamTest test;
    QSqlQuery q = database.query();
    if (!database.isOpen()
        || !db::run(q, QStringLiteral("SELECT draw_number, variants FROM exam WHERE course = ?"), {course}) || !q.next())
        return test;
    test.drawNumber = q.value(0).toString();
    test.variants.resize(std::size_t(std::max(0, q.value(1).toInt())));
    if (!db::run(q, QStringLiteral("SELECT variant, topic, text, answers, right_answer FROM exam_item"
                                   " WHERE course = ? ORDER BY variant, position"),
                 {course}))
        return {};
    while (q.next()) {
        const auto variant = std::size_t(q.value(0).toInt());
        if (variant >= test.variants.size())
            return {};
        test.variants[variant].push_back(
            {q.value(1).toString(), q.value(2).toString(), fromJson(q.value(3).toString()), q.value(4).toInt()});
    }
    return test;
}

bool prepareTest(db::Database &database, qint64 course, const std::vector<UsedTopic> &topics, int count,
                 int variantCount, std::uint64_t number, QString *error)
{
    if (topics.empty()) {
        *error = QStringLiteral("Konspekt szkolenia nie korzysta z żadnego tematu z biblioteki: nie ma z czego losować pytań.");
        return false;
    }
    std::vector<DrawTopic> drawTopics;
    QHash<qint64, BankQuestion> byId;
    for (const UsedTopic &topic : topics) {
        DrawTopic drawTopic{topic.quarters, {}};
        for (const BankQuestion &entry : listQuestions(database, topic.title)) {
            drawTopic.questions << DrawQuestion{entry.id, int(entry.question.answers.size())};
            byId.insert(entry.id, entry);
        }
        drawTopics.push_back(drawTopic);
    }
    std::vector<Variant> variants;
    if (!drawTest(drawTopics, count, variantCount, number, &variants, error))
        return false;
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM exam_result r JOIN participant p ON p.id = r.participant"
                                           " WHERE p.course = ?"),
                         {course})
                || !q.next())
                return false;
            if (q.value(0).toInt() > 0) {
                *refusal = QStringLiteral("Kurs ma już wyniki egzaminu: nowy test nie pasowałby do nich. "
                                          "Usuń najpierw wyniki.");
                return false;
            }
            if (!ensureExamRow(q, course)
                || !db::run(q, QStringLiteral("UPDATE exam SET draw_number = ?, variants = ? WHERE course = ?"),
                            {QString::number(number), variantCount, course})
                || !db::run(q, QStringLiteral("DELETE FROM exam_item WHERE course = ?"), {course}))
                return false;
            for (std::size_t v = 0; v < variants.size(); ++v) {
                for (qsizetype position = 0; position < variants[v].size(); ++position) {
                    const VariantQuestion &item = variants[v][position];
                    const Question &question = byId.value(item.question).question;
                    QStringList answers;
                    int right = 0;
                    for (qsizetype k = 0; k < item.answerOrder.size(); ++k) {
                        answers << question.answers.value(item.answerOrder[k]);
                        if (item.answerOrder[k] == question.right)
                            right = int(k);
                    }
                    if (!db::run(q, QStringLiteral("INSERT INTO exam_item (course, variant, position, question, topic,"
                                                   " text, answers, right_answer) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                                 {course, int(v), int(position), item.question, question.topic, question.text,
                                  toJson(answers), right}))
                        return false;
                }
            }
            return true;
        },
        error);
}

std::uint64_t newDrawNumber()
{
    return QRandomGenerator::system()->generate64();
}

bool recordLetters(db::Database &database, qint64 participant, const QString &variant, const QString &letters,
                   QString *error)
{
    return recordResults(database, courseOf(database, participant), {{participant, variant, letters, 0}}, error);
}

bool recordPoints(db::Database &database, qint64 participant, int points, QString *error)
{
    return recordResults(database, courseOf(database, participant), {{participant, QString(), QString(), points}},
                         error);
}

QString resultEntryProblem(const ExamTest &test, const ResultEntry &entry)
{
    ExamResult result;
    QString error;
    return scoreEntry(test, kDefaultPassMark, entry, &result, &error) ? QString() : error;
}

bool recordResults(db::Database &database, qint64 course, const std::vector<ResultEntry> &entries, QString *error)
{
    const ExamTest test = examTest(database, course);
    const int passMark = examSettings(database, course).passMark;
    std::vector<ExamResult> results(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!scoreEntry(test, passMark, entries[i], &results[i], error))
            return false;
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            // The pass mark as it stands inside the transaction.
            if (!db::run(q, QStringLiteral("SELECT pass_mark FROM exam WHERE course = ?"), {course}))
                return false;
            const int mark = q.next() ? q.value(0).toInt() : passMark;
            for (ExamResult &result : results) {
                result.passed = passes(result.points, test.questionCount(), mark);
                if (!storeResult(q, course, result, refusal))
                    return false;
            }
            return true;
        },
        error);
}

std::vector<ExamResult> examResults(db::Database &database, qint64 course)
{
    std::vector<ExamResult> results;
    QSqlQuery q = database.query();
    if (!database.isOpen()
        || !db::run(q, QStringLiteral("SELECT r.participant, r.variant, r.letters, r.points, r.passed FROM exam_result r"
                                      " JOIN participant p ON p.id = r.participant WHERE p.course = ?"),
                    {course}))
        return results;
    while (q.next())
        results.push_back({q.value(0).toLongLong(), q.value(1).isNull() ? -1 : q.value(1).toInt(),
                           q.value(2).toString(), q.value(3).toInt(), q.value(4).toBool()});
    return results;
}

} // namespace marbelo::exam
