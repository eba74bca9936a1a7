#include "courses/ui/RecordHistory.h"

#include <QTimer>

namespace marbelo {

namespace {

class DatabaseEdit : public QUndoCommand
{
public:
    DatabaseEdit(RecordEdit edit, std::function<void(const QString &)> failed)
        : QUndoCommand(edit.what), m_edit(std::move(edit)), m_failed(std::move(failed))
    {
    }
    void redo() override
    {
        // The first time, the edit is already made.
        if (m_first) {
            m_first = false;
            return;
        }
        run(m_edit.redo);
    }
    void undo() override { run(m_edit.undo); }

private:
    void run(const std::function<bool(QString *)> &step)
    {
        QString error;
        if (!step(&error))
            m_failed(error);
    }

    RecordEdit m_edit;
    std::function<void(const QString &)> m_failed;
    bool m_first = true;
};

} // namespace

RecordHistory::RecordHistory(std::function<void(const QString &)> told, QObject *parent)
    : QUndoStack(parent), m_told(std::move(told))
{
}

bool RecordHistory::record(std::optional<RecordEdit> edit, const QString &error)
{
    if (!edit) {
        m_told(error);
        return false;
    }
    push(new DatabaseEdit(std::move(*edit), [this](const QString &why) {
        m_told(why);
        QTimer::singleShot(0, this, &QUndoStack::clear);
    }));
    return true;
}

} // namespace marbelo
