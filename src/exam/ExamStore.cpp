#include "exam/ExamStore.h"

#include "courses/Results.h"
#include "exam/Draw.h"
#include "exam/QuestionBank.h"
#include "store/db/Database.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSqlQuery>

#include <algorithm>

namespace marbelo::exam {

namespace {

// The course of a participant; 0 when there is none.
qint64 courseOf(db::Database &database, qint64 participant)
{
    QSqlQuery q = database.query();
    if (!db::run(q, QStringLiteral("SELECT course FROM participant WHERE id = ?"), {participant}) || !q.next())
        return 0;
    return q.value(0).toLongLong();
}

// The variant's index for its letter ("A", "b", ...); -1 when the test has none.
int variantIndex(const ExamTest &test, const QString &variant)
{
    const QString name = variant.trimmed().toUpper();
    const int index = name.size() == 1 ? name[0].unicode() - u'A' : -1;
    return index >= 0 && index < int(test.variants.size()) ? index : -1;
}

// The entry scored against the test; false with a Polish message. The
// verdict is the course's to give, by its pass mark.
bool scoreEntry(const ExamTest &test, const ResultEntry &entry, ExamResult *result, QString *error)
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
    return true;
}

} // namespace

ExamTest examTest(db::Database &database, qint64 course, QString *error)
{
    ExamTest test;
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT draw_number, variants FROM exam WHERE course = ?"), {course}, error)
        || !q.next())
        return test;
    test.drawNumber = q.value(0).toString();
    test.variants.resize(std::size_t(std::max(0, q.value(1).toInt())));
    if (!database.read(q, QStringLiteral("SELECT variant, topic, text, answers, right_answer FROM exam_item"
                                         " WHERE course = ? ORDER BY variant, position"),
                       {course}, error))
        return {};
    while (q.next()) {
        const auto variant = std::size_t(q.value(0).toInt());
        if (variant >= test.variants.size())
            return {};
        test.variants[variant].push_back(
            {q.value(1).toString(), q.value(2).toString(), db::textListFrom(q.value(3).toString()), q.value(4).toInt()});
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
            if (!db::run(q, QStringLiteral("INSERT INTO exam (course) VALUES (?) ON CONFLICT (course) DO NOTHING"),
                         {course})
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
                                  db::textListValue(answers), right}))
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
    return scoreEntry(test, entry, &result, &error) ? QString() : error;
}

bool recordResults(db::Database &database, qint64 course, const std::vector<ResultEntry> &entries, QString *error)
{
    QString unread;
    const ExamTest test = examTest(database, course, &unread);
    if (!unread.isEmpty()) {
        *error = unread;
        return false;
    }
    std::vector<ExamResult> results(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!scoreEntry(test, entries[i], &results[i], error))
            return false;
    return storeResults(database, course, results, error);
}

} // namespace marbelo::exam
