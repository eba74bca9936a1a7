#include "store/TreeBuilder.h"

namespace marbelo {

std::vector<int> FlatTree::preorder() const
{
    std::vector<int> order;
    order.reserve(parent.size());
    std::vector<std::pair<const std::vector<int> *, std::size_t>> stack;
    stack.emplace_back(&roots, 0);
    while (!stack.empty()) {
        auto &[list, next] = stack.back();
        if (next == list->size()) {
            stack.pop_back();
            continue;
        }
        const int node = (*list)[next++];
        order.push_back(node);
        stack.emplace_back(&children[static_cast<std::size_t>(node)], 0);
    }
    return order;
}

int TreeBuilder::add(long long storedDepth)
{
    const int index = m_tree.size();
    int parent = -1;
    if (storedDepth >= 1 && storedDepth - 1 < static_cast<long long>(m_lastAtDepth.size()))
        parent = m_lastAtDepth[static_cast<std::size_t>(storedDepth - 1)];
    const int depth = parent < 0 ? 0 : m_tree.depth[static_cast<std::size_t>(parent)] + 1;

    m_tree.parent.push_back(parent);
    m_tree.depth.push_back(depth);
    m_tree.children.emplace_back();
    if (parent < 0)
        m_tree.roots.push_back(index);
    else
        m_tree.children[static_cast<std::size_t>(parent)].push_back(index);

    if (static_cast<std::size_t>(depth) >= m_lastAtDepth.size())
        m_lastAtDepth.resize(static_cast<std::size_t>(depth) + 1, -1);
    m_lastAtDepth[static_cast<std::size_t>(depth)] = index;
    return index;
}

} // namespace marbelo
