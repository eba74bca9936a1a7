#include "common/ui/PaneWidgets.h"

#include "store/ItemReference.h"
#include "common/PolishOrder.h"

#include <QDropEvent>
#include <QFont>
#include <QMimeData>

namespace marbelo {

void HeadingDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (isHeading(index.data(kItemReferenceRole).toUInt()))
        option->font.setBold(true);
    const QString suffix = index.data(kItemSuffixRole).toString();
    if (!suffix.isEmpty()) {
        option->text += suffix;
        option->textElideMode = Qt::ElideRight;
    }
}

QFont HeadingDelegate::fontFor(const QModelIndex &index, const QFont &base) const
{
    QStyleOptionViewItem option;
    option.font = base;
    initStyleOption(&option, index);
    return option.font;
}

int PaneList::insertSorted(const QString &text, int number)
{
    // Binary search for the first line that sorts after the text.
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (polishLess(text, item(mid)->text()))
            hi = mid;
        else
            lo = mid + 1;
    }
    const int row = lo;
    auto *line = new QListWidgetItem(text);
    line->setData(kItemNumberRole, number);
    insertItem(row, line);
    return row;
}

int PaneList::numberAt(int row) const
{
    const QListWidgetItem *line = item(row);
    return line ? line->data(kItemNumberRole).toInt() : -1;
}

int PaneList::rowOfNumber(int number) const
{
    for (int row = 0; row < count(); ++row) {
        if (numberAt(row) == number)
            return row;
    }
    return -1;
}

void PaneList::keyReleaseEvent(QKeyEvent *event)
{
    QListWidget::keyReleaseEvent(event);
    if (onKeyUp)
        onKeyUp(event);
}

PaneTree::PaneTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setItemDelegate(new HeadingDelegate(this));
    setUniformRowHeights(false);
}

QTreeWidgetItem *PaneTree::selectedItem() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

int PaneTree::levelOf(const QTreeWidgetItem *item)
{
    int level = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

quint32 PaneTree::referenceOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kItemReferenceRole).toUInt() : 0;
}

void PaneTree::setReference(QTreeWidgetItem *item, quint32 reference)
{
    item->setData(0, kItemReferenceRole, reference);
}

QList<QTreeWidgetItem *> PaneTree::flatItems() const
{
    QList<QTreeWidgetItem *> items;
    QList<QTreeWidgetItem *> stack;
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
        stack.append(topLevelItem(i));
    while (!stack.isEmpty()) {
        QTreeWidgetItem *item = stack.takeLast();
        items.append(item);
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.append(item->child(i));
    }
    return items;
}

int PaneTree::flatIndexOf(const QTreeWidgetItem *item) const
{
    return item ? static_cast<int>(flatItems().indexOf(const_cast<QTreeWidgetItem *>(item))) : -1;
}

const char *PaneTree::mimeType()
{
    return "application/x-marbelo-pane-node";
}

QStringList PaneTree::mimeTypes() const
{
    return {QString::fromLatin1(mimeType())};
}

QMimeData *PaneTree::mimeData(const QList<QTreeWidgetItem *> &) const
{
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(mimeType()), objectName().toUtf8());
    return data;
}

void PaneTree::keyReleaseEvent(QKeyEvent *event)
{
    QTreeWidget::keyReleaseEvent(event);
    if (onKeyUp)
        onKeyUp(event);
}

void PaneTree::dragEnterEvent(QDragEnterEvent *event)
{
    // Every drag is accepted over the trees; the drop decides what it does.
    event->acceptProposedAction();
}

void PaneTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (onDragOver)
        onDragOver(event);
    else
        event->acceptProposedAction();
}

void PaneTree::dropEvent(QDropEvent *event)
{
    // The tree's own drop handling (moving rows) is never used.
    if (onDrop)
        onDrop(event);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

const PaneTree *dragSourceTree(const QDropEvent *event)
{
    const auto *tree = qobject_cast<const PaneTree *>(event->source());
    if (!tree || !event->mimeData()->hasFormat(QString::fromLatin1(PaneTree::mimeType())))
        return nullptr;
    return tree;
}

} // namespace marbelo
