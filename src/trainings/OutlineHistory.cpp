#include "trainings/OutlineHistory.h"

namespace marbelo {

std::vector<OutlineRecord> outlineBranch(const OutlineTree &tree, OutlineNode node)
{
    std::vector<OutlineRecord> out;
    const int base = tree.level(node);
    std::vector<OutlineNode> stack{node};
    while (!stack.empty()) {
        const OutlineNode next = stack.back();
        stack.pop_back();
        out.push_back({tree.name(next), tree.level(next) - base, tree.reference(next), tree.hours(next)});
        const std::vector<OutlineNode> &list = tree.children(next);
        stack.insert(stack.end(), list.rbegin(), list.rend());
    }
    return out;
}

OutlineNode insertOutlineBranch(OutlineTree &tree, OutlineSlot slot, const std::vector<OutlineRecord> &records)
{
    // The records' levels are trusted only as far as the parent rule allows:
    // each goes under the last node one level up, or beside the top node.
    std::vector<OutlineNode> lastAtLevel;
    OutlineNode top = kOutlineRoot;
    for (const OutlineRecord &record : records) {
        const auto level = static_cast<std::size_t>(std::max(record.level, 0));
        if (top == kOutlineRoot || level == 0 || level > lastAtLevel.size()) {
            if (top != kOutlineRoot)
                continue; // a second top node or a jump: not part of one branch
            top = tree.insert(slot, record.name, record.reference, record.hours);
            lastAtLevel = {top};
            continue;
        }
        const OutlineNode parent = lastAtLevel[level - 1];
        const OutlineNode node = tree.insert({parent, static_cast<int>(tree.children(parent).size())}, record.name,
                                             record.reference, record.hours);
        lastAtLevel.resize(level);
        lastAtLevel.push_back(node);
    }
    return top;
}

bool applyOutlineEdit(OutlineTree &tree, const OutlineEdit &edit)
{
    if (edit.kind == OutlineEdit::Kind::Plan) {
        const std::optional<OutlineNode> node = tree.nodeAt(edit.path);
        if (!node)
            return false;
        tree.setHours(*node, edit.hours);
        tree.setForm(edit.form);
        return true;
    }
    if (edit.kind == OutlineEdit::Kind::Insert) {
        const std::optional<OutlineSlot> slot = tree.slotAt(edit.path);
        if (!slot || edit.branch.empty())
            return false;
        insertOutlineBranch(tree, *slot, edit.branch);
        return true;
    }
    const std::optional<OutlineNode> node = tree.nodeAt(edit.path);
    if (!node)
        return false;
    switch (edit.kind) {
    case OutlineEdit::Kind::Remove:
        tree.remove(*node);
        return true;
    case OutlineEdit::Kind::Rename:
        tree.rename(*node, edit.name);
        return true;
    case OutlineEdit::Kind::Move: {
        // The target path is counted without the item, as in the moved outline.
        const OutlineSlot from = tree.slotOf(*node);
        tree.remove(*node);
        const std::optional<OutlineSlot> slot = tree.slotAt(edit.to);
        tree.place(*node, slot ? *slot : from);
        return slot.has_value();
    }
    case OutlineEdit::Kind::Insert:
    case OutlineEdit::Kind::Plan:
        break;
    }
    return false;
}

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
    OutlineEdit insert{OutlineEdit::Kind::Insert, path, {}, outlineBranch(tree, inserted), {}};
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

namespace marbelo {

std::pair<OutlineEdit, OutlineEdit> planEdits(const OutlineTree &tree, OutlineNode node,
                                              std::optional<PlannedHours> hours, TrainingForm form)
{
    OutlineEdit forward{OutlineEdit::Kind::Plan, tree.pathOf(node), {}, {}, {}};
    forward.hours = hours;
    forward.form = form;
    OutlineEdit backward = forward;
    backward.hours = tree.hours(node);
    backward.form = tree.form();
    return {forward, backward};
}

} // namespace marbelo
