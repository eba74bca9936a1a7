// The outline pane's tree widget kept in step with the outline model: one
// item per node, found both ways. Every change is made to the model first;
// these calls then move, add or delete the one item the model changed.
#pragma once

#include "trainings/OutlineTree.h"

#include <QHash>

#include <optional>

class QTreeWidgetItem;

namespace marbelo {

class PaneTree;

class OutlineItems
{
public:
    OutlineItems(PaneTree *tree, const OutlineTree &outline) : m_tree(tree), m_outline(outline) {}

    QTreeWidgetItem *item(OutlineNode node) const { return m_items.value(node); }
    std::optional<OutlineNode> nodeOf(const QTreeWidgetItem *item) const;
    // The node's item at the node's place; with its subtree's items.
    QTreeWidgetItem *add(OutlineNode node);
    QTreeWidgetItem *addBranch(OutlineNode node);
    // The node's item with its subtree's items, before the node leaves the model.
    void remove(OutlineNode node);
    // The node's item moved to where the model now has the node; its subtree
    // keeps its expansion and it becomes the current, selected item.
    void relocate(OutlineNode node);
    // Every heading's hours after its name, as the model counts them now.
    void showHours();
    // No item at all (the tree widget is cleared by its owner).
    void clear() { m_items.clear(); }

private:
    void put(QTreeWidgetItem *item, OutlineSlot slot);

    PaneTree *m_tree;
    const OutlineTree &m_outline;
    QHash<OutlineNode, QTreeWidgetItem *> m_items;
};

} // namespace marbelo
