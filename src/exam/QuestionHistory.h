// The undo history of the bank window: each edit remembers the question
// before and after, and undoing replays the opposite edit through the bank
// (a removal is undone by restoring the question under its old id).
#pragma once

#include "exam/QuestionBank.h"

#include <vector>

namespace marbelo::exam {

class QuestionHistory
{
public:
    explicit QuestionHistory(db::Database &database) : m_database(database) {}

    // The edits, done on the bank and remembered; false with a message.
    bool add(const Question &question, QString *error, qint64 *id = nullptr);
    bool update(qint64 id, const Question &question, QString *error);
    bool remove(qint64 id, QString *error);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_edits.size(); }
    bool undo(QString *error);
    bool redo(QString *error);

private:
    enum class Kind { Add, Update, Remove };
    struct Edit
    {
        Kind kind;
        BankQuestion before; // Update, Remove
        BankQuestion after;  // Add, Update
    };
    void remember(const Edit &edit);
    bool replay(const Edit &edit, bool forward, QString *error);

    db::Database &m_database;
    std::vector<Edit> m_edits;
    std::size_t m_done = 0;
};

} // namespace marbelo::exam
