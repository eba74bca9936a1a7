#include "trainings/OutlineTree.h"

#include "store/Outline.h"
#include "store/ProgrammeFile.h"
#include "store/TreeBuilder.h"

#include <QFileInfo>

#include <algorithm>

namespace marbelo {

namespace {

// The names from the top-level item down to node, as the outline file keeps them.
QStringList namePath(const OutlineTree &tree, OutlineNode node)
{
    QStringList path;
    for (; node != kOutlineRoot; node = tree.parent(node))
        path.prepend(tree.name(node).left(kMaxNameLength));
    return path;
}

} // namespace

OutlineTree OutlineTree::fromRecords(const std::vector<OutlineRecord> &records)
{
    TreeBuilder builder;
    OutlineTree tree;
    tree.m_nodes.reserve(records.size());
    for (const OutlineRecord &record : records) {
        const int node = builder.add(record.level);
        const int parent = builder.tree().parent[static_cast<std::size_t>(node)];
        tree.insert({parent, static_cast<int>(tree.children(parent).size())}, record.name, record.reference,
                    record.hours);
    }
    return tree;
}

OutlineTree OutlineTree::load(const QString &path)
{
    std::vector<OutlineRecord> records;
    readOutline(path, &records);
    OutlineTree tree = fromRecords(records);
    ProgrammeData programme;
    readProgrammeFile(programmePathFor(path), &programme);
    tree.m_form = programme.form;
    const std::vector<OutlineNode> order = tree.preorder();
    for (const ProgrammeEntry &entry : programme.entries) {
        if (entry.position >= static_cast<int>(order.size()))
            continue;
        const OutlineNode node = order[static_cast<std::size_t>(entry.position)];
        if (!hasSlide(tree.reference(node)) && namePath(tree, node) == entry.path)
            tree.setHours(node, entry.hours);
    }
    return tree;
}

bool OutlineTree::save(const QString &path, QString *error) const
{
    if (!saveOutline(path, records(), error))
        return false;
    ProgrammeData programme;
    programme.form = m_form;
    const std::vector<OutlineNode> order = preorder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (const std::optional<PlannedHours> own = at(order[i]).hours)
            programme.entries.push_back({static_cast<int>(i), *own, namePath(*this, order[i])});
    }
    // A training that never had hours gets no programme file.
    const QString programmePath = programmePathFor(path);
    if (programme.isEmpty() && !QFileInfo::exists(programmePath))
        return true;
    return saveProgrammeFile(programmePath, programme, error);
}

std::vector<OutlineNode> OutlineTree::preorder() const
{
    std::vector<OutlineNode> order;
    std::vector<std::pair<const std::vector<OutlineNode> *, std::size_t>> stack{{&m_roots, 0}};
    while (!stack.empty()) {
        auto &[list, next] = stack.back();
        if (next == list->size()) {
            stack.pop_back();
            continue;
        }
        const OutlineNode node = (*list)[next++];
        order.push_back(node);
        stack.emplace_back(&at(node).children, 0);
    }
    return order;
}

std::vector<OutlineRecord> OutlineTree::records() const
{
    std::vector<OutlineRecord> out;
    for (OutlineNode node : preorder())
        out.push_back({at(node).name, level(node), at(node).reference, at(node).hours});
    return out;
}

std::vector<ItemReference> OutlineTree::references() const
{
    std::vector<ItemReference> out;
    for (OutlineNode node : preorder())
        out.push_back(at(node).reference);
    return out;
}

bool OutlineTree::contains(OutlineNode node) const
{
    if (node < 0 || node >= static_cast<OutlineNode>(m_nodes.size()))
        return false;
    for (; node != kOutlineRoot; node = at(node).parent) {
        if (!at(node).attached)
            return false;
    }
    return true;
}

const std::vector<OutlineNode> &OutlineTree::children(OutlineNode parent) const
{
    return parent == kOutlineRoot ? m_roots : at(parent).children;
}

std::vector<OutlineNode> &OutlineTree::childList(OutlineNode parent)
{
    return parent == kOutlineRoot ? m_roots : at(parent).children;
}

OutlineNode OutlineTree::parent(OutlineNode node) const
{
    return at(node).parent;
}

int OutlineTree::indexOf(OutlineNode node) const
{
    const std::vector<OutlineNode> &siblings = children(at(node).parent);
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), node) - siblings.begin());
}

int OutlineTree::level(OutlineNode node) const
{
    int level = 0;
    for (OutlineNode up = at(node).parent; up != kOutlineRoot; up = at(up).parent)
        ++level;
    return level;
}

std::optional<OutlineNode> OutlineTree::sibling(OutlineNode node, int step) const
{
    const std::vector<OutlineNode> &siblings = children(at(node).parent);
    const int index = indexOf(node) + step;
    if (index < 0 || index >= static_cast<int>(siblings.size()))
        return std::nullopt;
    return siblings[static_cast<std::size_t>(index)];
}

bool OutlineTree::isWithin(OutlineNode node, OutlineNode ancestor) const
{
    for (; node != kOutlineRoot; node = at(node).parent) {
        if (node == ancestor)
            return true;
    }
    return false;
}

QString OutlineTree::name(OutlineNode node) const
{
    return at(node).name;
}

ItemReference OutlineTree::reference(OutlineNode node) const
{
    return at(node).reference;
}

OutlineSlot OutlineTree::slotFor(std::optional<OutlineNode> target, Placement placement) const
{
    if (!target)
        return {kOutlineRoot, static_cast<int>(m_roots.size())};
    if (placement == Placement::Before)
        return slotOf(*target);
    return {*target, static_cast<int>(children(*target).size())};
}

OutlineNode OutlineTree::insert(OutlineSlot slot, const QString &name, ItemReference reference,
                                std::optional<PlannedHours> hours)
{
    const auto node = static_cast<OutlineNode>(m_nodes.size());
    m_nodes.push_back({name, reference, hours, kOutlineRoot, {}, false});
    attach(node, slot);
    return node;
}

void OutlineTree::rename(OutlineNode node, const QString &name)
{
    at(node).name = name;
}

void OutlineTree::detach(OutlineNode node)
{
    std::vector<OutlineNode> &siblings = childList(at(node).parent);
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    at(node).attached = false;
}

void OutlineTree::attach(OutlineNode node, OutlineSlot slot)
{
    std::vector<OutlineNode> &siblings = childList(slot.parent);
    const auto index = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(slot.index, 0)), 0, siblings.size());
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(index), node);
    at(node).parent = slot.parent;
    at(node).attached = true;
}

void OutlineTree::remove(OutlineNode node)
{
    detach(node);
}

void OutlineTree::place(OutlineNode node, OutlineSlot slot)
{
    if (contains(node))
        detach(node);
    attach(node, slot);
}

bool OutlineTree::move(OutlineNode node, OutlineMove move)
{
    const OutlineNode up = at(node).parent;
    const std::optional<OutlineNode> previous = sibling(node, -1);
    const std::optional<OutlineNode> next = sibling(node, 1);
    // Each slot is taken once the node is out of its place.
    switch (move) {
    case OutlineMove::UpALevel:
        if (up == kOutlineRoot)
            return false;
        detach(node);
        attach(node, slotOf(up));
        return true;
    case OutlineMove::Up:
        if (!previous)
            return false;
        detach(node);
        attach(node, slotOf(*previous));
        return true;
    case OutlineMove::Down:
        if (!next)
            return false;
        detach(node);
        attach(node, {at(*next).parent, indexOf(*next) + 1});
        return true;
    case OutlineMove::DownALevel:
        if (!next || hasSlide(at(*next).reference))
            return false;
        detach(node);
        attach(node, {*next, 0});
        return true;
    }
    return false;
}

std::vector<int> OutlineTree::pathOf(OutlineNode node) const
{
    std::vector<int> path;
    for (; node != kOutlineRoot; node = at(node).parent)
        path.insert(path.begin(), indexOf(node));
    return path;
}

std::optional<OutlineSlot> OutlineTree::slotAt(const std::vector<int> &path) const
{
    if (path.empty())
        return std::nullopt;
    OutlineNode parent = kOutlineRoot;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const std::vector<OutlineNode> &list = children(parent);
        if (path[i] < 0 || path[i] >= static_cast<int>(list.size()))
            return std::nullopt;
        parent = list[static_cast<std::size_t>(path[i])];
    }
    if (path.back() < 0 || path.back() > static_cast<int>(children(parent).size()))
        return std::nullopt;
    return OutlineSlot{parent, path.back()};
}

std::optional<OutlineNode> OutlineTree::nodeAt(const std::vector<int> &path) const
{
    const std::optional<OutlineSlot> slot = slotAt(path);
    if (!slot || slot->index >= static_cast<int>(children(slot->parent).size()))
        return std::nullopt;
    return children(slot->parent)[static_cast<std::size_t>(slot->index)];
}

bool OutlineTree::moveTo(OutlineNode node, std::optional<OutlineNode> target, Placement placement)
{
    if (target && isWithin(*target, node))
        return false;
    detach(node);
    attach(node, slotFor(target, placement));
    return true;
}

} // namespace marbelo
