#include "exam/QuestionHistory.h"

namespace marbelo::exam {

void QuestionHistory::remember(const Edit &edit)
{
    m_edits.resize(m_done);
    m_edits.push_back(edit);
    m_done = m_edits.size();
}

bool QuestionHistory::add(const Question &question, QString *error, qint64 *id)
{
    const auto added = addQuestion(m_database, question, error);
    if (!added)
        return false;
    remember({Kind::Add, {}, {*added, *readQuestion(m_database, *added)}});
    if (id)
        *id = *added;
    return true;
}

bool QuestionHistory::update(qint64 id, const Question &question, QString *error)
{
    const auto before = readQuestion(m_database, id);
    if (!before) {
        *error = QStringLiteral("Tego pytania nie ma już w banku.");
        return false;
    }
    if (!updateQuestion(m_database, id, question, error))
        return false;
    remember({Kind::Update, {id, *before}, {id, *readQuestion(m_database, id)}});
    return true;
}

bool QuestionHistory::remove(qint64 id, QString *error)
{
    const auto before = readQuestion(m_database, id);
    if (!before) {
        *error = QStringLiteral("Tego pytania nie ma już w banku.");
        return false;
    }
    if (!removeQuestion(m_database, id, error))
        return false;
    remember({Kind::Remove, {id, *before}, {}});
    return true;
}

bool QuestionHistory::replay(const Edit &edit, bool forward, QString *error)
{
    switch (edit.kind) {
    case Kind::Add:
        return forward ? restoreQuestion(m_database, edit.after, error)
                       : removeQuestion(m_database, edit.after.id, error);
    case Kind::Update:
        return updateQuestion(m_database, edit.before.id, (forward ? edit.after : edit.before).question, error);
    case Kind::Remove:
        return forward ? removeQuestion(m_database, edit.before.id, error) : restoreQuestion(m_database, edit.before, error);
    }
    return false;
}

bool QuestionHistory::undo(QString *error)
{
    if (!canUndo() || !replay(m_edits[m_done - 1], false, error))
        return false;
    --m_done;
    return true;
}

bool QuestionHistory::redo(QString *error)
{
    if (!canRedo() || !replay(m_edits[m_done], true, error))
        return false;
    ++m_done;
    return true;
}

} // namespace marbelo::exam
