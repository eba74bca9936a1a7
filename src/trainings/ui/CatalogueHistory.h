// The catalogue's undo history: each training command is a change of one
// training record, from its bytes before (none: the training did not exist)
// to its bytes after. Undo and redo write those bytes back exactly, so the
// catalogue is byte for byte what it was.
#pragma once

#include "store/Records.h"

#include <QUndoCommand>

#include <functional>
#include <optional>

namespace marbelo {

class CatalogueChange : public QUndoCommand
{
public:
    // apply puts the record of number into a state and says whether the
    // catalogue was written.
    using Apply = std::function<bool(int number, const std::optional<RecordBytes> &state)>;

    CatalogueChange(const QString &text, QString dataDir, int number, std::optional<RecordBytes> before,
                    std::optional<RecordBytes> after, Apply apply);
    ~CatalogueChange() override;

    void undo() override;
    void redo() override;

private:
    QString m_dataDir;
    int m_number;
    std::optional<RecordBytes> m_before;
    std::optional<RecordBytes> m_after;
    Apply m_apply;
    bool m_done = true; // pushed after the command itself ran
};

} // namespace marbelo
