// The undo history of the "Kursy" window: each edit is made at once by the
// course service and pushed here with how to take it back and make it again;
// undo and redo write to the database as they go. A step that fails later
// (the undo of a course that has since issued certificates, a full disk) is
// told and ends the history, which no longer matches the database.
#pragma once

#include "courses/CourseService.h"

#include <QUndoStack>

#include <functional>
#include <optional>

namespace marbelo {

class RecordHistory : public QUndoStack
{
    Q_OBJECT
public:
    // told: how a failure is told to the user.
    explicit RecordHistory(std::function<void(const QString &)> told, QObject *parent = nullptr);

    // Pushes an edit already made; false (error told) when it was refused.
    bool record(std::optional<RecordEdit> edit, const QString &error);

private:
    std::function<void(const QString &)> m_told;
};

} // namespace marbelo
