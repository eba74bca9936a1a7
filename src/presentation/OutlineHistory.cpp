#include "presentation/OutlineHistory.h"

namespace marbelo {

OutlineChange::OutlineChange(const QString &text, OutlineEdit forward, OutlineEdit backward, Apply apply)
    : QUndoCommand(text), m_forward(std::move(forward)), m_backward(std::move(backward)), m_apply(std::move(apply))
{
}

void OutlineChange::undo()
{
    m_apply(m_backward);
}

void OutlineChange::redo()
{
    if (m_first) {
        m_first = false;
        return;
    }
    m_apply(m_forward);
}

std::pair<OutlineEdit, OutlineEdit> insertionEdits(const OutlineTree &tree, OutlineNode inserted)
{
    const std::vector<int> path = tree.pathOf(inserted);
    OutlineEdit insert{OutlineEdit::Kind::Insert, path, {}, tree.branch(inserted), {}};
    OutlineEdit remove{OutlineEdit::Kind::Remove, path, {}, {}, {}};
    return {insert, remove};
}

std::pair<OutlineEdit, OutlineEdit> removalEdits(const OutlineTree &tree, OutlineNode removed)
{
    auto [insert, remove] = insertionEdits(tree, removed);
    return {remove, insert};
}

std::pair<OutlineEdit, OutlineEdit> renameEdits(const std::vector<int> &path, const QString &from, const QString &to)
{
    return {{OutlineEdit::Kind::Rename, path, {}, {}, to}, {OutlineEdit::Kind::Rename, path, {}, {}, from}};
}

std::pair<OutlineEdit, OutlineEdit> moveEdits(const std::vector<int> &from, const std::vector<int> &to)
{
    return {{OutlineEdit::Kind::Move, from, to, {}, {}}, {OutlineEdit::Kind::Move, to, from, {}, {}}};
}

} // namespace marbelo
