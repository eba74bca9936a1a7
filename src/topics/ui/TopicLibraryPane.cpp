#include "topics/ui/TopicLibraryPane.h"

#include "common/CommandRules.h"
#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "store/TopicFile.h"
#include "topics/ModuleLibrary.h"

#include <QDragMoveEvent>

namespace marbelo {

TopicLibraryPane::TopicLibraryPane(const QStringList &libraryDirs, const QString &dataDir, Messages &messages,
                                   CommandFrame &frame, SlidePreview &preview, QWidget *dialogOwner)
    : QObject(dialogOwner), m_libraryDirs(libraryDirs), m_dataDir(dataDir), m_messages(messages), m_frame(frame), m_preview(preview),
      m_dialogOwner(dialogOwner), m_list(new PaneList), m_tree(new PaneTree)
{
    setObjectName(QStringLiteral("TopicLibraryPane"));
    m_list->setObjectName(QStringLiteral("QelModuleListBox"));
    m_list->setUniformItemSizes(true);
    m_tree->setObjectName(QStringLiteral("QelModuleTreeView"));
    m_tree->setDragEnabled(true);
    m_tree->setDragDropMode(QAbstractItemView::DragOnly);
    m_tree->setAcceptDrops(true);
    m_tree->setDefaultDropAction(Qt::CopyAction);

    // While a search runs, pane input does nothing.
    const auto unlessBlocked = [this](void (TopicLibraryPane::*handler)()) {
        return [this, handler] {
            if (!m_frame.paneInputBlocked())
                (this->*handler)();
        };
    };
    connect(m_list, &QListWidget::clicked, this, unlessBlocked(&TopicLibraryPane::chooseModuleLine));
    m_list->onKeyUp = [=](QKeyEvent *) { unlessBlocked(&TopicLibraryPane::chooseModuleLine)(); };
    connect(m_tree, &QTreeWidget::clicked, this, unlessBlocked(&TopicLibraryPane::showSelectedTopicSlide));
    m_tree->onKeyUp = [=](QKeyEvent *) { unlessBlocked(&TopicLibraryPane::showSelectedTopicSlide)(); };
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (!m_frame.paneInputBlocked())
            emit topicDoubleClicked();
    });
    // Anything may be dragged over the topic tree; dropping on it does nothing.
    m_tree->onDragOver = [](QDragMoveEvent *event) { event->acceptProposedAction(); };
}

void TopicLibraryPane::startUp()
{
    m_moduleFiles.clear();
    paintPaleYellow(m_list);
    paintPaleYellow(m_tree);
    m_search.findActive = false;
    m_search.findText.clear();
    loadModuleList();
    loadModuleTree();
}

void TopicLibraryPane::shutDown()
{
    m_moduleFiles.clear();
}

void TopicLibraryPane::addConditions(CommandConditions *c) const
{
    c->topicsListed = m_list->count() > 0;
    c->findActive = m_search.findActive;
    c->ownTopicSelected = selectedModuleIsOwn();
    const QTreeWidgetItem *topic = m_tree->selectedItem();
    c->topicSelected = topic != nullptr;
    if (topic)
        c->topicReference = PaneTree::referenceOf(topic);
}

void TopicLibraryPane::loadModuleList()
{
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_moduleFiles.clear();
    for (const ModuleEntry &entry : discoverModules(m_libraryDirs)) {
        m_list->insertSorted(entry.title, entry.runningIndex);
        m_moduleFiles.emplace_back(entry.path(), entry.runningIndex);
    }
    m_list->setUpdatesEnabled(true);
    if (m_list->count() > 0) {
        m_list->setCurrentRow(0);
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
}

QString TopicLibraryPane::selectedModuleFile() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return QString();
    const int index = selected.first()->data(kItemNumberRole).toInt();
    for (const auto &[path, runningIndex] : m_moduleFiles) {
        if (runningIndex == index)
            return path;
    }
    return QString();
}

void TopicLibraryPane::loadModuleTree()
{
    m_tree->clear();
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = selected.first()->data(kItemNumberRole).toInt();
    m_tree->setUpdatesEnabled(false);
    for (const auto &[path, runningIndex] : m_moduleFiles) {
        if (runningIndex != index)
            continue;
        TopicFile file;
        if (!readTopicFile(path, &file))
            continue;
        std::vector<QTreeWidgetItem *> items(file.nodes.size(), nullptr);
        for (std::size_t i = 0; i < file.nodes.size(); ++i) {
            const int parent = file.tree.parent[i];
            QTreeWidgetItem *item = parent < 0 ? new QTreeWidgetItem(m_tree)
                                               : new QTreeWidgetItem(items[static_cast<std::size_t>(parent)]);
            item->setText(0, file.nodes[i].name);
            PaneTree::setReference(item, file.nodes[i].reference);
            items[i] = item;
        }
    }
    m_tree->setUpdatesEnabled(true);
}

void TopicLibraryPane::chooseModuleLine()
{
    loadModuleTree();
    m_preview.showTitle();
    m_frame.refreshCommands();
    m_list->setFocus();
}

void TopicLibraryPane::showSelectedTopicSlide()
{
    if (const QTreeWidgetItem *item = m_tree->selectedItem())
        m_preview.showSlideOf(PaneTree::referenceOf(item), selectedModuleFile());
}

std::optional<SelectedTopic> TopicLibraryPane::selectedTopic() const
{
    const QTreeWidgetItem *item = m_tree->selectedItem();
    if (!item)
        return std::nullopt;
    return SelectedTopic{selectedModuleFile(), PaneTree::referenceOf(item), item->text(0)};
}

bool TopicLibraryPane::isTopicTree(const QObject *dragSource) const
{
    return dragSource && dragSource == m_tree;
}

} // namespace marbelo
