#include "presentation/ui/OutlineItems.h"

#include "common/ui/PaneWidgets.h"
#include "trainings/Programme.h"

namespace marbelo {

namespace {

void recordExpansion(QTreeWidgetItem *item, std::vector<std::pair<QTreeWidgetItem *, bool>> *out)
{
    out->emplace_back(item, item->isExpanded());
    for (int i = 0; i < item->childCount(); ++i)
        recordExpansion(item->child(i), out);
}

} // namespace

std::optional<OutlineNode> OutlineItems::nodeOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return std::nullopt;
    return item->data(0, kItemNodeRole).toInt();
}

QTreeWidgetItem *OutlineItems::add(OutlineNode node)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, m_outline.name(node));
    PaneTree::setReference(item, m_outline.reference(node));
    item->setData(0, kItemNodeRole, node);
    m_items.insert(node, item);
    put(item, m_outline.slotOf(node));
    return item;
}

QTreeWidgetItem *OutlineItems::addBranch(OutlineNode node)
{
    // Parents before their children.
    std::vector<OutlineNode> pending{node};
    while (!pending.empty()) {
        const OutlineNode next = pending.back();
        pending.pop_back();
        add(next);
        const std::vector<OutlineNode> &children = m_outline.children(next);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return item(node);
}

void OutlineItems::put(QTreeWidgetItem *item, OutlineSlot slot)
{
    if (slot.parent == kOutlineRoot)
        m_tree->insertTopLevelItem(slot.index, item);
    else
        m_items.value(slot.parent)->insertChild(slot.index, item);
}

void OutlineItems::remove(OutlineNode node)
{
    QTreeWidgetItem *top = m_items.value(node);
    QList<QTreeWidgetItem *> gone{top};
    for (qsizetype i = 0; i < gone.size(); ++i) {
        m_items.remove(*nodeOf(gone[i]));
        for (int c = 0; c < gone[i]->childCount(); ++c)
            gone.append(gone[i]->child(c));
    }
    delete top;
}

void OutlineItems::showHours()
{
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        const QString suffix = headingHoursSuffix(m_outline, it.key());
        if (it.value()->data(0, kItemSuffixRole).toString() != suffix)
            it.value()->setData(0, kItemSuffixRole, suffix);
    }
}

void OutlineItems::relocate(OutlineNode node)
{
    QTreeWidgetItem *moved = m_items.value(node);
    std::vector<std::pair<QTreeWidgetItem *, bool>> expansion;
    recordExpansion(moved, &expansion);
    if (QTreeWidgetItem *parent = moved->parent())
        parent->takeChild(parent->indexOfChild(moved));
    else
        m_tree->takeTopLevelItem(m_tree->indexOfTopLevelItem(moved));
    put(moved, m_outline.slotOf(node));
    for (const auto &[each, expanded] : expansion)
        each->setExpanded(expanded);
    m_tree->setCurrentItem(moved);
    moved->setSelected(true);
}

} // namespace marbelo
