// One entry of a training outline's undo history: the edit that made a
// change and the edit that takes it back, replayed through the outline pane
// so that each step is shown and saved at once.
#pragma once

#include "presentation/OutlineTree.h"

#include <QUndoCommand>

#include <functional>

namespace marbelo {

class OutlineChange : public QUndoCommand
{
public:
    // apply replays an edit and says whether it was applied and saved.
    using Apply = std::function<bool(const OutlineEdit &)>;

    OutlineChange(const QString &text, OutlineEdit forward, OutlineEdit backward, Apply apply);
    void undo() override;
    void redo() override;

private:
    OutlineEdit m_forward;
    OutlineEdit m_backward;
    Apply m_apply;
    bool m_first = true; // pushed after the change itself was made
};

// The edits of the outline's changes, each with its inverse.
std::pair<OutlineEdit, OutlineEdit> insertionEdits(const OutlineTree &tree, OutlineNode inserted);
std::pair<OutlineEdit, OutlineEdit> removalEdits(const OutlineTree &tree, OutlineNode removed);
std::pair<OutlineEdit, OutlineEdit> renameEdits(const std::vector<int> &path, const QString &from, const QString &to);
std::pair<OutlineEdit, OutlineEdit> moveEdits(const std::vector<int> &from, const std::vector<int> &to);

} // namespace marbelo
