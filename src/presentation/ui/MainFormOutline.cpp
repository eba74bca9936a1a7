// Outline editing commands, the item slide preview and the outline drop.

#include "shell/ui/MainForm.h"

#include "presentation/OutlineEditing.h"
#include "presentation/ui/OutlineHitTest.h"
#include "presentation/ui/ViewForms.h"
#include "shell/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"

#include <QDropEvent>

#include <functional>
#include <utility>
#include <vector>

namespace marbelo {

namespace {

using Slot = std::pair<QTreeWidgetItem *, int>; // parent (null: top level) and index

int indexInParent(const QTreeWidget *tree, QTreeWidgetItem *item)
{
    return item->parent() ? item->parent()->indexOfChild(item) : tree->indexOfTopLevelItem(item);
}

QTreeWidgetItem *sibling(const QTreeWidget *tree, QTreeWidgetItem *item, int step)
{
    const int index = indexInParent(tree, item) + step;
    QTreeWidgetItem *parent = item->parent();
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    if (index < 0 || index >= count)
        return nullptr;
    return parent ? parent->child(index) : tree->topLevelItem(index);
}

// node is item itself or lies in item's subtree.
bool isWithin(const QTreeWidgetItem *node, const QTreeWidgetItem *item)
{
    for (; node; node = node->parent()) {
        if (node == item)
            return true;
    }
    return false;
}

void recordExpansion(QTreeWidgetItem *item, std::vector<std::pair<QTreeWidgetItem *, bool>> *out)
{
    out->emplace_back(item, item->isExpanded());
    for (int i = 0; i < item->childCount(); ++i)
        recordExpansion(item->child(i), out);
}

// Moves item with its subtree to the slot that where() names once the item
// has been taken out; the subtree keeps its expansion and the item becomes
// the current, selected item.
void relocate(QTreeWidget *tree, QTreeWidgetItem *item, const std::function<Slot()> &where)
{
    std::vector<std::pair<QTreeWidgetItem *, bool>> expansion;
    recordExpansion(item, &expansion);
    if (QTreeWidgetItem *parent = item->parent())
        parent->takeChild(parent->indexOfChild(item));
    else
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(item));
    const auto [parent, index] = where();
    if (parent)
        parent->insertChild(index, item);
    else
        tree->insertTopLevelItem(index, item);
    for (const auto &[node, expanded] : expansion)
        node->setExpanded(expanded);
    tree->setCurrentItem(item);
    item->setSelected(true);
}

// The slot for placement relative to target (null target: the top level).
Slot slotFor(const QTreeWidget *tree, QTreeWidgetItem *target, Placement placement)
{
    if (placement == Placement::Before && target)
        return {target->parent(), indexInParent(tree, target)};
    if (target)
        return {target, target->childCount()};
    return {nullptr, tree->topLevelItemCount()};
}

} // namespace

void TQelMainForm::ShowItemSlide()
{
    const int number = selectedTrainingNumber();
    showSelectedSlide(QelProjectsTreeView, number >= 0 ? m_state.dataDir + imageStoreFileName(number) : QString(), 1);
}

void TQelMainForm::QelProjectsTreeViewClick()
{
    ShowItemSlide();
}

void TQelMainForm::QelProjectsTreeViewKeyUp()
{
    ShowItemSlide();
}

void TQelMainForm::QelViewNewMenuItemClick()
{
    DisableCommands();
    {
        QTreeWidgetItem *selected = QelProjectsTreeView->selectedItem();
        const OutlineSelection state = outlineSelection(QelProjectsTreeView->topLevelItemCount() > 0,
                                                        selected != nullptr, PaneTree::referenceOf(selected));
        TQelNewViewForm form(this);
        switch (state) {
        case OutlineSelection::Empty: form.setUp(TQelNewViewForm::OutlineState::Empty); break;
        case OutlineSelection::HeadingSelected: form.setUp(TQelNewViewForm::OutlineState::HeadingSelected); break;
        case OutlineSelection::ItemSelected: form.setUp(TQelNewViewForm::OutlineState::ItemSelected); break;
        case OutlineSelection::NoneSelected: form.setUp(TQelNewViewForm::OutlineState::NoneSelected); break;
        }
        if (form.exec() == QDialog::Accepted) {
            NewItemChoice choice = NewItemChoice::Section;
            switch (form.choice()) {
            case TQelNewViewForm::NewItemKind::Chapter: choice = NewItemChoice::Chapter; break;
            case TQelNewViewForm::NewItemKind::Section: choice = NewItemChoice::Section; break;
            case TQelNewViewForm::NewItemKind::Subsection: choice = NewItemChoice::Subsection; break;
            }
            const NewItemPlan plan = planNewItem(choice, selected ? PaneTree::levelOf(selected) : -1);
            auto *item = new QTreeWidgetItem;
            item->setText(0, form.name());
            PaneTree::setReference(item, plan.reference);
            if (plan.anchor == NewItemAnchor::SelectedEnd && selected)
                selected->addChild(item);
            else if (plan.anchor == NewItemAnchor::ParentEnd && selected && selected->parent())
                selected->parent()->addChild(item);
            else
                QelProjectsTreeView->addTopLevelItem(item);
            if (item->parent())
                item->parent()->setExpanded(true);
            QelProjectsTreeView->setCurrentItem(item);
            item->setSelected(true);
            item->setExpanded(true);
            SaveProjectTree();
        }
    }
    EnableCommands();
    RefreshCommands();
    QelProjectsTreeView->setFocus();
}

void TQelMainForm::QelViewCorectMenuItemClick()
{
    QTreeWidgetItem *selected = QelProjectsTreeView->selectedItem();
    if (!selected)
        return;
    DisableCommands();
    {
        TQelCorectViewForm form(this);
        form.setName(selected->text(0));
        if (form.exec() == QDialog::Accepted) {
            selected->setText(0, form.name());
            SaveProjectTree();
        }
    }
    EnableCommands();
    RefreshCommands();
    QelProjectsTreeView->setFocus();
}

void TQelMainForm::moveSelectedOutlineItem(OutlineMove move)
{
    PaneTree *tree = QelProjectsTreeView;
    QTreeWidgetItem *item = tree->selectedItem();
    if (!item)
        return;
    // The command availability guarantees the neighbour each move needs; a
    // missing one leaves the outline as it is.
    QTreeWidgetItem *parent = item->parent();
    QTreeWidgetItem *previous = sibling(tree, item, -1);
    QTreeWidgetItem *next = sibling(tree, item, 1);
    std::function<Slot()> where;
    switch (move) {
    case OutlineMove::UpALevel:
        if (parent)
            where = [tree, parent] { return Slot{parent->parent(), indexInParent(tree, parent)}; };
        break;
    case OutlineMove::Up:
        if (previous)
            where = [tree, previous] { return Slot{previous->parent(), indexInParent(tree, previous)}; };
        break;
    case OutlineMove::Down:
        if (next)
            where = [tree, next] { return Slot{next->parent(), indexInParent(tree, next) + 1}; };
        break;
    case OutlineMove::DownALevel:
        if (next && !hasSlide(PaneTree::referenceOf(next)))
            where = [next] { return Slot{next, 0}; };
        break;
    }
    if (where) {
        tree->setUpdatesEnabled(false);
        relocate(tree, item, where);
        item->setExpanded(false);
        if (item->parent())
            item->parent()->setExpanded(true);
        SaveProjectTree();
        tree->setUpdatesEnabled(true);
    }
    RefreshCommands();
    tree->setFocus();
}

void TQelMainForm::QelViewTopMenuItemClick()
{
    moveSelectedOutlineItem(OutlineMove::UpALevel);
}

void TQelMainForm::QelViewUpMenuItemClick()
{
    moveSelectedOutlineItem(OutlineMove::Up);
}

void TQelMainForm::QelViewDownMenuItemClick()
{
    moveSelectedOutlineItem(OutlineMove::Down);
}

void TQelMainForm::QelViewBottomMenuItemClick()
{
    moveSelectedOutlineItem(OutlineMove::DownALevel);
}

void TQelMainForm::QelViewDeleteMenuItemClick()
{
    QTreeWidgetItem *selected = QelProjectsTreeView->selectedItem();
    if (!selected)
        return;
    DisableCommands();
    if (m_messages.Confirmation2Message(
            QStringLiteral("Czy jesteś pewien że chcesz usunąć tą pozycję z prezentacji ?"), 3, 0, 1)
        == kAnswerYes) {
        const bool remove =
            selected->childCount() == 0
            || m_messages.Confirmation2Message(
                   QStringLiteral("Wybrana pozycja posiada podpozycje. Czy jesteś pewien że chcesz usunąć tą "
                                  "pozycję z prezentacji wraz z podpozycjami ?"),
                   3, 0, 0)
                   == kAnswerYes;
        if (remove) {
            // The slides of the removed items stay in the image store.
            delete selected;
            SaveProjectTree();
        }
    }
    EnableCommands();
    RefreshCommands();
    QelProjectsTreeView->setFocus();
}

void TQelMainForm::QelProjectsTreeViewDragOver(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void TQelMainForm::QelProjectsTreeViewDragDrop(QDropEvent *event)
{
    handleOutlineDrop(dragSourceTree(event), event->position().toPoint());
}

void TQelMainForm::handleOutlineDrop(const PaneTree *source, const QPoint &viewportPos)
{
    PaneTree *tree = QelProjectsTreeView;
    QTreeWidgetItem *topic = QelModuleTreeView->selectedItem();
    const bool copy = source == QelModuleTreeView && topic && hasSlide(PaneTree::referenceOf(topic))
                      && tree->topLevelItemCount() > 0;
    QTreeWidgetItem *moved = tree->selectedItem();
    if (!copy && (source != tree || !moved))
        return;
    QTreeWidgetItem *under = nullptr;
    const unsigned hit = outlineHitTest(*tree, viewportPos, &under);
    const DropDecision decision = decideDrop(hit, hasSlide(PaneTree::referenceOf(under)));
    if (!decision.act)
        return;
    QTreeWidgetItem *target = under;
    if (decision.target == DropTarget::ParentOfLastItem) {
        const QList<QTreeWidgetItem *> items = tree->flatItems();
        target = items.isEmpty() ? nullptr : items.last()->parent();
    }
    if (copy) {
        AppendTopicToOutline(target, decision.placement);
        return;
    }
    // An item cannot go into its own subtree, nor in front of itself.
    if (!isWithin(target, moved)) {
        relocate(tree, moved, [tree, target, placement = decision.placement] {
            return slotFor(tree, target, placement);
        });
        if (moved->parent())
            moved->parent()->setExpanded(true);
    }
    SaveProjectTree();
}

} // namespace marbelo
