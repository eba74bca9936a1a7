// One entry of a training outline's undo history: the edit that made a
// change and the edit that takes it back, replayed through the outline pane
// so that each step is shown and saved at once.
#pragma once

#include "trainings/OutlineTree.h"

#include <QUndoCommand>

#include <functional>

namespace marbelo {

// One change of an outline, by the paths of the items it touches, so that it
// can be replayed on any outline with the same contents: the steps of undo.
struct OutlineEdit
{
    enum class Kind { Insert, Remove, Rename, Move, Plan };
    Kind kind = Kind::Rename;
    std::vector<int> path;             // the item (for Insert: where the branch goes)
    std::vector<int> to;               // Move: the item's path once moved
    std::vector<OutlineRecord> branch; // Insert: the subtree, levels from 0
    QString name;                      // Rename: the new name
    std::optional<PlannedHours> hours{}; // Plan: the item's own hours
    TrainingForm form = TrainingForm::Course; // Plan: the training's form
};

// A node's subtree as records in pre-order, levels counted from the node (0).
std::vector<OutlineRecord> outlineBranch(const OutlineTree &tree, OutlineNode node);
// Inserts such records at slot; returns the subtree's top node.
OutlineNode insertOutlineBranch(OutlineTree &tree, OutlineSlot slot, const std::vector<OutlineRecord> &records);
// Applies an edit; false, with nothing changed, when it does not fit.
bool applyOutlineEdit(OutlineTree &tree, const OutlineEdit &edit);

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
// Setting a heading's hours and the training's form.
std::pair<OutlineEdit, OutlineEdit> planEdits(const OutlineTree &tree, OutlineNode node,
                                              std::optional<PlannedHours> hours, TrainingForm form);

} // namespace marbelo
