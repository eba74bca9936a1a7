#include "exam/QuestionBank.h"

#include "common/PolishOrder.h"
#include "store/WholeFile.h"
#include "store/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <algorithm>

namespace marbelo::exam {

namespace {

QVariantList questionValues(const Question &q)
{
    return {db::text(q.topic), db::text(q.detail), db::text(q.title), db::text(q.text), db::textListValue(q.answers), q.right};
}

Question questionFrom(const QSqlQuery &q, int first)
{
    Question question;
    question.topic = q.value(first).toString();
    question.detail = q.value(first + 1).toString();
    question.title = q.value(first + 2).toString();
    question.text = q.value(first + 3).toString();
    question.answers = db::textListFrom(q.value(first + 4).toString());
    question.right = q.value(first + 5).toInt();
    return question;
}

// A question as stored: its texts trimmed, as the binding trims them.
Question trimmed(Question q)
{
    for (QString *field : {&q.topic, &q.detail, &q.title, &q.text})
        *field = field->trimmed();
    for (QString &answer : q.answers)
        answer = answer.trimmed();
    return q;
}

bool checked(const Question &question, QString *error)
{
    const QString problem = questionProblem(question);
    if (problem.isEmpty())
        return true;
    *error = problem;
    return false;
}

const QString kColumns = QStringLiteral("topic, detail, title, text, answers, right_answer");

} // namespace

std::vector<BankQuestion> listQuestions(db::Database &database, const QString &topic, QString *error)
{
    std::vector<BankQuestion> list;
    QSqlQuery q = database.query();
    const QString sql = QStringLiteral("SELECT id, %1 FROM question%2 ORDER BY id")
                            .arg(kColumns, topic.isEmpty() ? QString() : QStringLiteral(" WHERE topic = ?"));
    if (!database.read(q, sql, topic.isEmpty() ? QVariantList() : QVariantList{topic}, error))
        return list;
    while (q.next())
        list.push_back({q.value(0).toLongLong(), questionFrom(q, 1)});
    std::stable_sort(list.begin(), list.end(), [](const BankQuestion &a, const BankQuestion &b) {
        return a.question.topic != b.question.topic && polishLess(a.question.topic, b.question.topic);
    });
    return list;
}

std::optional<Question> readQuestion(db::Database &database, qint64 id)
{
    QSqlQuery q = database.query();
    if (!database.read(q, QStringLiteral("SELECT %1 FROM question WHERE id = ?").arg(kColumns), {id}, nullptr)
        || !q.next())
        return std::nullopt;
    return questionFrom(q, 0);
}

std::optional<qint64> addQuestion(db::Database &database, const Question &question, QString *error)
{
    if (!checked(trimmed(question), error))
        return std::nullopt;
    qint64 id = 0;
    const bool done = database.write(
        [&](QSqlQuery &q, QString *) {
            if (!db::insertRow(q, QStringLiteral("INSERT INTO question (%1) VALUES (?, ?, ?, ?, ?, ?)").arg(kColumns),
                               questionValues(question), &id))
                return false;
            return true;
        },
        error);
    return done ? std::optional<qint64>(id) : std::nullopt;
}

bool updateQuestion(db::Database &database, qint64 id, const Question &question, QString *error)
{
    if (!checked(trimmed(question), error))
        return false;
    return database.write(
        [&](QSqlQuery &q, QString *refusal) {
            QVariantList values = questionValues(question);
            values << id;
            return db::runOnOneRow(q,
                                   QStringLiteral("UPDATE question SET topic = ?, detail = ?, title = ?, text = ?,"
                                                  " answers = ?, right_answer = ? WHERE id = ?"),
                                   values, QStringLiteral("Tego pytania nie ma już w banku."), refusal);
        },
        error);
}

bool removeQuestion(db::Database &database, qint64 id, QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *) { return db::run(q, QStringLiteral("DELETE FROM question WHERE id = ?"), {id}); },
        error);
}

bool restoreQuestion(db::Database &database, const BankQuestion &question, QString *error)
{
    if (!checked(trimmed(question.question), error))
        return false;
    return database.write(
        [&](QSqlQuery &q, QString *) {
            QVariantList values{question.id};
            values += questionValues(question.question);
            return db::run(q, QStringLiteral("INSERT INTO question (id, %1) VALUES (?, ?, ?, ?, ?, ?, ?)").arg(kColumns),
                           values);
        },
        error);
}

std::optional<int> importQuestions(db::Database &database, const std::vector<Question> &questions, QString *error)
{
    for (const Question &question : questions)
        if (!checked(trimmed(question), error))
            return std::nullopt;
    const bool done = database.write(
        [&](QSqlQuery &q, QString *) {
            for (const Question &question : questions)
                if (!db::run(q, QStringLiteral("INSERT INTO question (%1) VALUES (?, ?, ?, ?, ?, ?)").arg(kColumns),
                             questionValues(question)))
                    return false;
            return true;
        },
        error);
    return done ? std::optional<int>(int(questions.size())) : std::nullopt;
}

QByteArray exportQuestions(db::Database &database)
{
    std::vector<Question> questions;
    for (const BankQuestion &entry : listQuestions(database))
        questions.push_back(entry.question);
    // Grouped by detailed topic within a topic, so each $CATEGORY line comes once.
    std::stable_sort(questions.begin(), questions.end(), [](const Question &a, const Question &b) {
        if (a.topic != b.topic)
            return polishLess(a.topic, b.topic);
        return a.detail != b.detail && polishLess(a.detail, b.detail);
    });
    return giftBytes(questions);
}

bool saveGiftFile(db::Database &database, const QString &path, QString *error)
{
    return writeWholeFile(path, exportQuestions(database), error);
}

bool importDemoQuestionsOnce(db::Database &database, const QString &giftPath, QString *error)
{
    QFile file(giftPath);
    if (!file.open(QIODevice::ReadOnly))
        return true; // no demo questions here: perhaps on a later start
    const std::vector<Question> questions = readGift(file.readAll()).questions;
    return database.write(
        [&](QSqlQuery &q, QString *) {
            // Checked inside the transaction, so two starts import once.
            if (!db::run(q, QStringLiteral("SELECT demo_imported FROM bank_state WHERE id = 1")))
                return false;
            if (q.next())
                return true;
            if (!db::run(q, QStringLiteral("SELECT COUNT(*) FROM question")) || !q.next())
                return false;
            const bool ownBank = q.value(0).toInt() > 0;
            if (!db::run(q, QStringLiteral("INSERT INTO bank_state (id, demo_imported) VALUES (1, ?)"),
                         {ownBank ? 0 : 1}))
                return false;
            for (const Question &question : ownBank ? std::vector<Question>() : questions)
                if (!db::run(q, QStringLiteral("INSERT INTO question (%1) VALUES (?, ?, ?, ?, ?, ?)").arg(kColumns),
                             questionValues(question)))
                    return false;
            return true;
        },
        error);
}

bool importDemoQuestionsFrom(db::Database &database, const QStringList &libraryDirs, QString *error)
{
    for (const QString &dir : libraryDirs)
        if (QFileInfo::exists(dir + kDemoQuestionsName))
            return importDemoQuestionsOnce(database, dir + kDemoQuestionsName, error);
    return true;
}

} // namespace marbelo::exam
