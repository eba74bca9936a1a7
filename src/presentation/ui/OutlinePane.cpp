#include "presentation/ui/OutlinePane.h"

#include "common/CommandRules.h"
#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "trainings/Programme.h"
#include "presentation/ui/HoursDialog.h"
#include "presentation/ui/OutlineHitTest.h"
#include "presentation/ui/OutlineItemDialogs.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"

#include <QDropEvent>
#include <QLabel>

namespace marbelo {

OutlinePane::OutlinePane(const QString &dataDir, Messages &messages, CommandFrame &frame,
                         const TrainingSource &trainings, const TopicSource &topics, SlidePreview &preview,
                         QWidget *dialogOwner)
    : QObject(dialogOwner), m_dataDir(dataDir), m_messages(messages), m_frame(frame), m_trainings(trainings),
      m_topics(topics), m_preview(preview), m_dialogOwner(dialogOwner), m_tree(new PaneTree),
      m_programmeLine(new QLabel), m_items(m_tree, m_outline)
{
    m_programmeLine->setObjectName(QStringLiteral("QelProgrammeLabel"));
    m_programmeLine->setIndent(4);
    m_programmeLine->setWordWrap(true);
    m_programmeLine->hide();
    setObjectName(QStringLiteral("OutlinePane"));
    m_tree->setObjectName(QStringLiteral("QelProjectsTreeView"));
    m_tree->setDragEnabled(true);
    m_tree->setAcceptDrops(true);
    m_tree->setDragDropMode(QAbstractItemView::DragDrop);
    m_tree->setDefaultDropAction(Qt::MoveAction);
    // The outline hides its selection while it has no focus; the topic tree keeps it.
    QPalette palette = m_tree->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Active, QPalette::Text));
    m_tree->setPalette(palette);

    // While a search runs, pane input does nothing and drops are refused.
    const auto showSlide = [this] {
        if (!m_frame.paneInputBlocked())
            showSelectedItemSlide();
    };
    connect(m_tree, &QTreeWidget::clicked, this, showSlide);
    m_tree->onKeyUp = [showSlide](QKeyEvent *) { showSlide(); };
    m_tree->onDragOver = [this](QDragMoveEvent *event) {
        if (m_frame.paneInputBlocked())
            event->ignore();
        else
            event->acceptProposedAction();
    };
    m_tree->onDrop = [this](QDropEvent *event) {
        if (m_frame.paneInputBlocked())
            event->ignore();
        else
            dropAt(dragSourceTree(event), event->position().toPoint());
    };
}

void OutlinePane::startUp()
{
    paintPaleYellow(m_tree);
    loadOutline();
}

void OutlinePane::addConditions(CommandConditions *c) const
{
    c->outlineHasItems = !m_outline.isEmpty();
    if (const QUndoStack *stack = history()) {
        c->outlineCanUndo = stack->canUndo();
        c->outlineCanRedo = stack->canRedo();
    }
    const std::optional<OutlineNode> node = selectedNode();
    c->itemSelected = node.has_value();
    if (!node)
        return;
    c->itemReference = m_outline.reference(*node);
    c->itemHasParent = m_outline.parent(*node) != kOutlineRoot;
    c->itemIsFirstChild = m_outline.indexOf(*node) == 0;
    const std::optional<OutlineNode> next = m_outline.sibling(*node, 1);
    c->itemHasNextSibling = next.has_value();
    if (next)
        c->nextSiblingReference = m_outline.reference(*next);
}

std::vector<ItemReference> OutlinePane::outlineReferences() const
{
    return m_outline.references();
}

std::optional<OutlineNode> OutlinePane::selectedNode() const
{
    return m_items.nodeOf(m_tree->selectedItem());
}

void OutlinePane::loadOutline()
{
    m_tree->clear();
    m_items.clear();
    m_outline = OutlineTree();
    const int number = m_trainings.selectedTrainingNumber();
    if (number < 0)
        return;
    // The file keeps what was last saved: a history that went past it ends here.
    if (m_unsaved.erase(number))
        forgetHistory(number);
    m_tree->setUpdatesEnabled(false);
    m_outline = OutlineTree::load(m_dataDir + outlineFileName(number));
    for (OutlineNode node : m_outline.preorder())
        m_items.add(node);
    m_tree->setUpdatesEnabled(true);
    showProgramme();
}

void OutlinePane::showProgramme()
{
    m_items.showHours();
    const int number = m_trainings.selectedTrainingNumber();
    TrainingRecord training;
    if (number < 0 || !readTrainingRecord(m_dataDir, number, &training)) {
        m_programmeLine->hide();
        return;
    }
    const PlannedHours total = programmeTotal(m_outline);
    m_programmeLine->setText(marbelo::programmeLine(total, training.type));
    // Below the minimum: in red as well as in words.
    m_programmeLine->setStyleSheet(meetsMinimum(total, training.type) ? QString()
                                                                      : QStringLiteral("color: #c00000;"));
    m_programmeLine->show();
}

void OutlinePane::setItemHours()
{
    // "Liczba godzin..."
    const std::optional<OutlineNode> node = selectedNode();
    if (!node || !isProgrammeHeading(m_outline, *node))
        return;
    const CommandsDisabled disabled(m_frame);
    {
        HoursDialog dialog(m_dialogOwner);
        const std::optional<PlannedHours> own = m_outline.hours(*node);
        OutlineTree without = m_outline;
        without.setHours(*node, std::nullopt);
        dialog.setUp(m_outline.name(*node), own, countedHours(without, *node), m_outline.form());
        if (dialog.exec() == QDialog::Accepted && (dialog.hours() != own || dialog.form() != m_outline.form())) {
            const auto edits = planEdits(m_outline, *node, dialog.hours(), dialog.form());
            remember(QStringLiteral("Liczba godzin"), edits);
            applyOutlineEdit(m_outline, edits.first);
            saveOutline();
        }
    }
    m_tree->setFocus();
}

bool OutlinePane::saveOutline(bool fromHistory)
{
    const int number = m_trainings.selectedTrainingNumber();
    if (number < 0)
        return true;
    QString error;
    if (m_outline.save(m_dataDir + outlineFileName(number), &error)) {
        m_unsaved.erase(number);
        showProgramme();
        return true;
    }
    m_unsaved.insert(number);
    showProgramme();
    // After a command the edited outline stays on screen; after an undo or
    // redo the outline on disk is shown again.
    m_messages.inform(
        fromHistory ? QStringLiteral("Nie udało się zapisać prezentacji szkolenia na dysku. %1 Widoczna jest "
                                     "prezentacja zapisana na dysku.")
                          .arg(error)
                    : QStringLiteral("Nie udało się zapisać prezentacji szkolenia na dysku. %1 Ostatnia zmiana jest "
                                     "widoczna na ekranie, ale plik zawiera poprzednią wersję prezentacji.")
                          .arg(error));
    return false;
}

void OutlinePane::showSelectedItemSlide()
{
    const std::optional<OutlineNode> node = selectedNode();
    if (!node)
        return;
    const int number = m_trainings.selectedTrainingNumber();
    m_preview.showSlideOf(m_outline.reference(*node),
                          number >= 0 ? m_dataDir + imageStoreFileName(number) : QString());
}

void OutlinePane::newItem()
{
    // "Nowa pozycja"
    const CommandsDisabled disabled(m_frame);
    {
        const std::optional<OutlineNode> selected = selectedNode();
        const OutlineSelection state = outlineSelection(!m_outline.isEmpty(), selected.has_value(),
                                                        selected ? m_outline.reference(*selected) : 0);
        NewItemDialog dialog(m_dialogOwner);
        switch (state) {
        case OutlineSelection::Empty: dialog.setUp(NewItemDialog::OutlineState::Empty); break;
        case OutlineSelection::HeadingSelected: dialog.setUp(NewItemDialog::OutlineState::HeadingSelected); break;
        case OutlineSelection::ItemSelected: dialog.setUp(NewItemDialog::OutlineState::ItemSelected); break;
        case OutlineSelection::NoneSelected: dialog.setUp(NewItemDialog::OutlineState::NoneSelected); break;
        }
        if (dialog.exec() == QDialog::Accepted) {
            NewItemChoice choice = NewItemChoice::Section;
            switch (dialog.choice()) {
            case NewItemDialog::NewItemKind::Chapter: choice = NewItemChoice::Chapter; break;
            case NewItemDialog::NewItemKind::Section: choice = NewItemChoice::Section; break;
            case NewItemDialog::NewItemKind::Subsection: choice = NewItemChoice::Subsection; break;
            }
            const NewItemPlan plan = planNewItem(choice, selected ? m_outline.level(*selected) : -1);
            OutlineSlot slot = m_outline.slotFor(std::nullopt, Placement::LastChild);
            if (plan.anchor == NewItemAnchor::SelectedEnd && selected)
                slot = m_outline.slotFor(*selected, Placement::LastChild);
            else if (plan.anchor == NewItemAnchor::ParentEnd && selected && m_outline.parent(*selected) != kOutlineRoot)
                slot = m_outline.slotFor(m_outline.parent(*selected), Placement::LastChild);
            const OutlineNode node = m_outline.insert(slot, dialog.name(), plan.reference);
            QTreeWidgetItem *item = m_items.add(node);
            remember(QStringLiteral("Nowa pozycja"), insertionEdits(m_outline, node));
            if (item->parent())
                item->parent()->setExpanded(true);
            m_tree->setCurrentItem(item);
            item->setSelected(true);
            item->setExpanded(true);
            saveOutline();
        }
    }
    m_tree->setFocus();
}

void OutlinePane::renameItem()
{
    // "Popraw pozycję"
    const std::optional<OutlineNode> node = selectedNode();
    if (!node)
        return;
    const CommandsDisabled disabled(m_frame);
    {
        RenameItemDialog dialog(m_dialogOwner);
        dialog.setName(m_outline.name(*node));
        if (dialog.exec() == QDialog::Accepted) {
            remember(QStringLiteral("Popraw pozycję"),
                     renameEdits(m_outline.pathOf(*node), m_outline.name(*node), dialog.name()));
            m_outline.rename(*node, dialog.name());
            m_items.item(*node)->setText(0, dialog.name());
            saveOutline();
        }
    }
    m_tree->setFocus();
}

void OutlinePane::moveSelectedItem(OutlineMove move)
{
    const std::optional<OutlineNode> node = selectedNode();
    if (!node)
        return;
    // The command availability guarantees the neighbour each move needs; a
    // missing one leaves the outline as it is.
    const std::vector<int> from = m_outline.pathOf(*node);
    if (m_outline.move(*node, move)) {
        static const char16_t *const texts[] = {u"Przenieś wzwyż", u"Przenieś w górę", u"Przenieś w dół",
                                                u"Przenieś wgłąb"};
        remember(QString::fromUtf16(texts[static_cast<int>(move)]), moveEdits(from, m_outline.pathOf(*node)));
        m_tree->setUpdatesEnabled(false);
        m_items.relocate(*node);
        QTreeWidgetItem *item = m_items.item(*node);
        item->setExpanded(false);
        if (item->parent())
            item->parent()->setExpanded(true);
        saveOutline();
        m_tree->setUpdatesEnabled(true);
    }
    m_frame.refreshCommands();
    m_tree->setFocus();
}

void OutlinePane::moveItemUpALevel()
{
    // "Przenieś wzwyż"
    moveSelectedItem(OutlineMove::UpALevel);
}

void OutlinePane::moveItemUp()
{
    // "Przenieś w górę"
    moveSelectedItem(OutlineMove::Up);
}

void OutlinePane::moveItemDown()
{
    // "Przenieś w dół"
    moveSelectedItem(OutlineMove::Down);
}

void OutlinePane::moveItemDownALevel()
{
    // "Przenieś wgłąb"
    moveSelectedItem(OutlineMove::DownALevel);
}

void OutlinePane::deleteItem()
{
    // "Usuń pozycję"
    const std::optional<OutlineNode> node = selectedNode();
    if (!node)
        return;
    const CommandsDisabled disabled(m_frame);
    if (m_messages.confirm(QStringLiteral("Czy jesteś pewien, że chcesz usunąć tę pozycję z prezentacji?"),
                           DefaultAnswer::No)) {
        const bool remove =
            m_outline.children(*node).empty()
            || m_messages.confirm(QStringLiteral("Wybrana pozycja posiada podpozycje. Czy jesteś pewien, że chcesz "
                                                 "usunąć tę pozycję z prezentacji wraz z podpozycjami?"),
                                  DefaultAnswer::Yes);
        if (remove) {
            // The slides of the removed items stay in the image store.
            remember(QStringLiteral("Usuń pozycję"), removalEdits(m_outline, *node));
            m_items.remove(*node);
            m_outline.remove(*node);
            saveOutline();
        }
    }
    m_tree->setFocus();
}

void OutlinePane::dropAt(const QObject *dragSource, const QPoint &viewportPos)
{
    const std::optional<SelectedTopic> topic = m_topics.selectedTopic();
    const bool copy = m_topics.isTopicTree(dragSource) && topic && hasSlide(topic->reference) && !m_outline.isEmpty();
    const std::optional<OutlineNode> moved = selectedNode();
    if (!copy && (dragSource != m_tree || !moved))
        return;
    QTreeWidgetItem *under = nullptr;
    const unsigned hit = outlineHitTest(*m_tree, viewportPos, &under);
    const DropDecision decision = decideDrop(hit, hasSlide(PaneTree::referenceOf(under)));
    if (!decision.act)
        return;
    std::optional<OutlineNode> target = m_items.nodeOf(under);
    if (decision.target == DropTarget::ParentOfLastItem) {
        const std::vector<OutlineNode> order = m_outline.preorder();
        target.reset();
        if (!order.empty() && m_outline.parent(order.back()) != kOutlineRoot)
            target = m_outline.parent(order.back());
    }
    if (copy) {
        appendTopic(target, decision.placement);
        return;
    }
    // An item cannot go into its own subtree, nor in front of itself.
    const std::vector<int> from = m_outline.pathOf(*moved);
    if (m_outline.moveTo(*moved, target, decision.placement)) {
        remember(QStringLiteral("Przenieś pozycję"), moveEdits(from, m_outline.pathOf(*moved)));
        m_items.relocate(*moved);
        if (QTreeWidgetItem *parent = m_items.item(*moved)->parent())
            parent->setExpanded(true);
    }
    saveOutline();
}

const QUndoStack *OutlinePane::history() const
{
    const auto found = m_histories.find(m_trainings.selectedTrainingNumber());
    return found == m_histories.end() ? nullptr : found->second.get();
}

void OutlinePane::forgetHistory(int number)
{
    m_histories.erase(number);
}

void OutlinePane::remember(const QString &text, const std::pair<OutlineEdit, OutlineEdit> &edits)
{
    const int number = m_trainings.selectedTrainingNumber();
    if (number < 0)
        return;
    std::unique_ptr<QUndoStack> &stack = m_histories[number];
    if (!stack)
        stack = std::make_unique<QUndoStack>();
    stack->push(new OutlineChange(text, edits.first, edits.second,
                                  [this](const OutlineEdit &edit) { return applyEdit(edit); }));
    // A drop refreshes no other command, but its undo entry must follow.
    emit historyChanged();
}

bool OutlinePane::applyEdit(const OutlineEdit &edit)
{
    const std::optional<OutlineNode> removed =
        edit.kind == OutlineEdit::Kind::Remove ? m_outline.nodeAt(edit.path) : std::nullopt;
    if (!applyOutlineEdit(m_outline, edit)) {
        m_historyFailed = true;
        return false;
    }
    QTreeWidgetItem *shown = nullptr;
    if (removed) {
        shown = m_items.item(*removed)->parent();
        m_items.remove(*removed);
    } else {
        const OutlineNode node = *m_outline.nodeAt(edit.kind == OutlineEdit::Kind::Move ? edit.to : edit.path);
        if (edit.kind == OutlineEdit::Kind::Insert)
            m_items.addBranch(node);
        else if (edit.kind == OutlineEdit::Kind::Move) {
            m_items.relocate(node);
        } else if (edit.kind == OutlineEdit::Kind::Rename) {
            m_items.item(node)->setText(0, edit.name);
        }
        shown = m_items.item(node);
    }
    // The item the step touched is shown selected.
    m_tree->clearSelection();
    if (shown) {
        for (QTreeWidgetItem *up = shown->parent(); up; up = up->parent())
            up->setExpanded(true);
        m_tree->setCurrentItem(shown);
        shown->setSelected(true);
    }
    if (!saveOutline(true)) {
        m_historyFailed = true;
        return false;
    }
    return true;
}

void OutlinePane::stepHistory(bool back)
{
    const int number = m_trainings.selectedTrainingNumber();
    const auto found = m_histories.find(number);
    if (found == m_histories.end() || (back ? !found->second->canUndo() : !found->second->canRedo()))
        return;
    QUndoStack &stack = *found->second;
    const CommandsDisabled disabled(m_frame);
    m_historyFailed = false;
    if (back)
        stack.undo();
    else
        stack.redo();
    if (m_historyFailed) {
        // What is on disk is shown again, and the history no longer fits it.
        m_histories.erase(found);
        m_unsaved.erase(number);
        loadOutline();
    }
    m_tree->setFocus();
}

void OutlinePane::undo()
{
    // "Cofnij"
    stepHistory(true);
}

void OutlinePane::redo()
{
    // "Ponów"
    stepHistory(false);
}

} // namespace marbelo
