// The question bank in the program's database: listing, the edits (each
// one transaction) and the restore that undoes a removal with the same id.
// Used alike by the window, the tool and the tests.
#pragma once

#include "exam/Gift.h"
#include "exam/Question.h"

#include <QString>

#include <optional>
#include <vector>

namespace marbelo::db {
class Database;
}

namespace marbelo::exam {

struct BankQuestion
{
    qint64 id = 0;
    Question question;
};

// Every question, by topic title and then in the order they were added;
// topic empty: the whole bank. Empty with a Polish message in *error when
// the database cannot be read.
std::vector<BankQuestion> listQuestions(db::Database &database, const QString &topic = {}, QString *error = nullptr);
std::optional<Question> readQuestion(db::Database &database, qint64 id);

// Adds a checked question; its id, or nothing with a Polish message.
std::optional<qint64> addQuestion(db::Database &database, const Question &question, QString *error);
bool updateQuestion(db::Database &database, qint64 id, const Question &question, QString *error);
bool removeQuestion(db::Database &database, qint64 id, QString *error);
// Puts a removed question back under its old id (undo of a removal).
bool restoreQuestion(db::Database &database, const BankQuestion &question, QString *error);

// Adds the questions read from GIFT in one transaction, all or none; their
// count, or nothing with a Polish message.
std::optional<int> importQuestions(db::Database &database, const std::vector<Question> &questions, QString *error);
QByteArray exportQuestions(db::Database &database);
// The export saved whole at path (the atomic save); false with a Polish
// message, the file at path as it was.
bool saveGiftFile(db::Database &database, const QString &path, QString *error);

// The demo questions file (when present) goes into the bank once, the first
// time the database is opened where it lies; that it happened is recorded,
// so a bank emptied later stays empty. A bank that already holds the
// trainer's own questions gets none (recorded as well). False with a
// message only when the database refused.
bool importDemoQuestionsOnce(db::Database &database, const QString &giftPath, QString *error);
// The same with the demo file of the first library folder that has one.
bool importDemoQuestionsFrom(db::Database &database, const QStringList &libraryDirs, QString *error);
inline const QString kDemoQuestionsName = QStringLiteral("Pytania.gift");

} // namespace marbelo::exam
