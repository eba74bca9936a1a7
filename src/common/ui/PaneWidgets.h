// The list and tree controls of the main window's panes: Qt's item views
// with the key-release and drag-and-drop events handed to their pane.
#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <functional>

namespace marbelo {

// Data roles of pane items.
constexpr int kItemNumberRole = Qt::UserRole;     // list lines: running index or training number
constexpr int kItemReferenceRole = Qt::UserRole;  // tree nodes: the item reference
constexpr int kItemNodeRole = Qt::UserRole + 1;   // outline nodes: the node of the outline model
constexpr int kItemSuffixRole = Qt::UserRole + 2; // outline headings: their hours, drawn after the name

// Draws the nodes whose reference carries the heading flag in bold; other
// nodes keep the font the tree prepared. A node's suffix (an outline
// heading's hours) follows its name; a narrow column cuts the suffix first,
// so the name stays readable.
class HeadingDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The font a node is drawn with.
    QFont fontFor(const QModelIndex &index, const QFont &base) const;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

class PaneList : public QListWidget
{
    Q_OBJECT
public:
    using QListWidget::QListWidget;
    std::function<void(QKeyEvent *)> onKeyUp;

    // Inserts a line at its place by Polish collation (after equal titles).
    int insertSorted(const QString &text, int number);
    int numberAt(int row) const;
    // The line of training number, or -1.
    int rowOfNumber(int number) const;

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
};

class PaneTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit PaneTree(QWidget *parent = nullptr);
    std::function<void(QKeyEvent *)> onKeyUp;
    std::function<void(QDragMoveEvent *)> onDragOver;
    std::function<void(QDropEvent *)> onDrop;

    // The first selected item, or none.
    QTreeWidgetItem *selectedItem() const;
    static quint32 referenceOf(const QTreeWidgetItem *item);
    // Depth of an item: 0 for a top-level item.
    static int levelOf(const QTreeWidgetItem *item);
    static void setReference(QTreeWidgetItem *item, quint32 reference);
    // Every node in pre-order, expanded or not.
    QList<QTreeWidgetItem *> flatItems() const;
    int flatIndexOf(const QTreeWidgetItem *item) const;

    // The tree a drag came from: this tree's mime type names its object.
    static const char *mimeType();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
};

// Which tree a drag started in, or null when it came from elsewhere.
const PaneTree *dragSourceTree(const QDropEvent *event);

} // namespace marbelo
