// A training's presentation outline as a tree of items (name and item
// reference), without widgets: the window shows it, the tool prints it, the
// composition walks it, and undo replays its operations. Read and written
// through the outline file's reader and writer.
#pragma once

#include "trainings/DropPlacement.h"
#include "trainings/OutlineEditing.h"
#include "store/ItemReference.h"
#include "store/Records.h"

#include <QString>

#include <optional>
#include <vector>

namespace marbelo {

// A node of the outline. Ids stay the same for as long as the tree lives,
// also while a node is taken out (removed nodes can be put back).
using OutlineNode = int;
constexpr OutlineNode kOutlineRoot = -1; // the parent of the top-level items

// A place in the tree: a parent (kOutlineRoot for the top level) and an index
// among its children.
struct OutlineSlot
{
    OutlineNode parent = kOutlineRoot;
    int index = 0;
    friend bool operator==(const OutlineSlot &, const OutlineSlot &) = default;
};

class OutlineTree
{
public:
    // Builds the tree by the parent rule on the records' levels; a node's
    // level is then its depth as built.
    static OutlineTree fromRecords(const std::vector<OutlineRecord> &records);
    // Reads an outline file (a missing or unreadable one is an empty outline)
    // with the hours and form of its programme file; hours whose item is not
    // where and what the programme file says are dropped.
    static OutlineTree load(const QString &path);
    // Saves the outline whole (pre-order, levels as depths), then its
    // programme file; false with an error text when either keeps its
    // previous contents (the outline is written first: see the programme
    // file's page).
    bool save(const QString &path, QString *error) const;

    // Every item in pre-order with its depth as level.
    std::vector<OutlineRecord> records() const;
    std::vector<ItemReference> references() const;
    std::vector<OutlineNode> preorder() const;

    bool isEmpty() const { return m_roots.empty(); }
    bool contains(OutlineNode node) const; // in the tree, not taken out
    const std::vector<OutlineNode> &children(OutlineNode parent) const;
    OutlineNode parent(OutlineNode node) const;
    int indexOf(OutlineNode node) const;
    OutlineSlot slotOf(OutlineNode node) const { return {parent(node), indexOf(node)}; }
    int level(OutlineNode node) const;
    // The sibling step places away (-1 the previous one), or none.
    std::optional<OutlineNode> sibling(OutlineNode node, int step) const;
    // node is ancestor itself or lies in its subtree.
    bool isWithin(OutlineNode node, OutlineNode ancestor) const;
    QString name(OutlineNode node) const;
    ItemReference reference(OutlineNode node) const;
    // A heading's own planned hours, none when it has none of its own.
    std::optional<PlannedHours> hours(OutlineNode node) const { return at(node).hours; }
    void setHours(OutlineNode node, std::optional<PlannedHours> hours) { at(node).hours = hours; }
    TrainingForm form() const { return m_form; }
    void setForm(TrainingForm form) { m_form = form; }

    // Where an item goes relative to target: in front of it, or as its last
    // child; with no target, at the end of the top level.
    OutlineSlot slotFor(std::optional<OutlineNode> target, Placement placement) const;
    OutlineNode insert(OutlineSlot slot, const QString &name, ItemReference reference,
                       std::optional<PlannedHours> hours = std::nullopt);
    void rename(OutlineNode node, const QString &name);
    // Takes the node with its subtree out of the tree; put back with place().
    void remove(OutlineNode node);
    // Puts a node (taken out, or moved) with its subtree at slot; the slot's
    // index counts the siblings without the node itself.
    void place(OutlineNode node, OutlineSlot slot);
    // The four move commands: up a level (in front of the parent), up (in
    // front of the previous sibling), down (after the next sibling), down a
    // level (first child of the next sibling, which must carry no slide).
    // False, with nothing changed, when the neighbour a move needs is missing.
    bool move(OutlineNode node, OutlineMove move);
    // A node's place as indices from the top level down; stable for as long
    // as the outline's contents are, also across a reload from the file.
    std::vector<int> pathOf(OutlineNode node) const;
    std::optional<OutlineNode> nodeAt(const std::vector<int> &path) const;
    // The slot of a path: its parent and last index.
    std::optional<OutlineSlot> slotAt(const std::vector<int> &path) const;
    // A drag within the outline: in front of target or as its last child (no
    // target: the top level's end). False, with nothing changed, when the
    // target is the node itself or lies in its subtree.
    bool moveTo(OutlineNode node, std::optional<OutlineNode> target, Placement placement);

private:
    struct Node
    {
        QString name;
        ItemReference reference = 0;
        std::optional<PlannedHours> hours;
        OutlineNode parent = kOutlineRoot;
        std::vector<OutlineNode> children;
        bool attached = false;
    };
    const Node &at(OutlineNode node) const { return m_nodes[static_cast<std::size_t>(node)]; }
    Node &at(OutlineNode node) { return m_nodes[static_cast<std::size_t>(node)]; }
    std::vector<OutlineNode> &childList(OutlineNode parent);
    void detach(OutlineNode node);
    void attach(OutlineNode node, OutlineSlot slot);

    std::vector<Node> m_nodes;
    std::vector<OutlineNode> m_roots;
    TrainingForm m_form = TrainingForm::Course;
};

} // namespace marbelo
