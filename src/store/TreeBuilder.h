// Builds a tree from a flat run of (depth, item) records: each record becomes
// the last child of the nearest preceding node, in the tree's pre-order, whose
// depth is one less than the record's; without such a node it becomes the last
// root. Used for topic files and outlines alike.
#pragma once

#include <cstddef>
#include <vector>

namespace marbelo {

struct FlatTree
{
    std::vector<int> parent; // per node in record order, -1 for a root
    std::vector<int> depth;  // the node's depth in the tree as built
    std::vector<std::vector<int>> children;
    std::vector<int> roots;

    int size() const { return static_cast<int>(parent.size()); }
    // Node indices in pre-order: a node, then its children's subtrees in order.
    std::vector<int> preorder() const;
};

class TreeBuilder
{
public:
    // Adds the next record with its stored depth; returns its node index.
    int add(long long storedDepth);
    const FlatTree &tree() const { return m_tree; }
    FlatTree take() { return std::move(m_tree); }

private:
    FlatTree m_tree;
    // The last node at each depth in pre-order. A new node always becomes the
    // last node of its depth, since every node after its parent's subtree lies
    // higher up, so this answers the backward scan in constant time.
    std::vector<int> m_lastAtDepth;
};

} // namespace marbelo
