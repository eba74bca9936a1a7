// Search and find next in the topic library. The library is searched from
// the files, not by walking the tree widgets: a worker thread reads the topic
// files while the window keeps processing events (pane input is ignored
// meanwhile), and only the hit is then shown as the walk would have left it.

#include "topics/ui/TopicLibraryPane.h"

#include "common/ui/PaneWidgets.h"
#include "store/components/Messages.h"
#include "topics/TopicSearch.h"
#include "topics/ui/FindDialog.h"

#include <QEventLoop>

#include <thread>

namespace marbelo {

namespace {

const QString kNotFoundText = QStringLiteral("Nieznaleziono wystąpienia poszukiwanego zwrotu.");
const QString kFinishedText = QStringLiteral("Zakończono przeszukiwanie tematów.");

} // namespace

SearchHit TopicLibraryPane::searchLibrary(int startLine, int startNode)
{
    std::vector<SearchLine> lines;
    lines.reserve(static_cast<std::size_t>(m_list->count()));
    for (int row = 0; row < m_list->count(); ++row) {
        SearchLine line{m_list->item(row)->text(), QString()};
        const int index = m_list->numberAt(row);
        for (const auto &[path, runningIndex] : m_moduleFiles) {
            if (runningIndex == index) {
                line.fileName = path;
                break;
            }
        }
        lines.push_back(std::move(line));
    }

    m_searching = true;
    SearchHit hit;
    QEventLoop loop;
    // The lines name their files by full path.
    std::thread worker([&, findText = m_search.findText] {
        hit = findInLibrary(QString(), lines, findText, startLine, startNode);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop may also be left early by the application quitting; the
    // result is only used once the worker has finished.
    loop.exec();
    worker.join();
    m_searching = false;
    return hit;
}

void TopicLibraryPane::selectModuleLine(int row)
{
    if (row >= 0 && row < m_list->count()) {
        m_list->setCurrentRow(row);
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
    loadModuleTree();
}

void TopicLibraryPane::selectModuleNode(int flatIndex)
{
    const QList<QTreeWidgetItem *> items = m_tree->flatItems();
    if (flatIndex < 0 || flatIndex >= items.size())
        return;
    QTreeWidgetItem *item = items[flatIndex];
    for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    item->setExpanded(true);
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
}

void TopicLibraryPane::endSearch()
{
    m_search.findActive = false;
    m_search.findModuleIndex = 0;
    m_search.findNodeIndex = 0;
    m_search.findText.clear();
}

void TopicLibraryPane::recordSearchHit(const SearchHit &hit)
{
    selectModuleLine(hit.line);
    if (hit.node < 0) {
        m_list->setFocus();
        m_search.findModuleIndex = hit.lastLine ? 0 : hit.line + 1;
        m_search.findActive = !hit.lastLine;
        m_search.findNodeIndex = 0;
        return;
    }
    selectModuleNode(hit.node);
    m_tree->setFocus();
    m_search.findModuleIndex = hit.line;
    if (hit.lastNode) {
        m_search.findNodeIndex = 0;
        m_search.findActive = !hit.lastLine;
        if (!hit.lastLine)
            m_search.findModuleIndex = hit.line + 1;
    } else {
        m_search.findNodeIndex = hit.node + 1;
        m_search.findActive = true;
    }
}

void TopicLibraryPane::findInTopics()
{
    // "Szukaj"
    const CommandsDisabled disabled(m_frame);
    bool accepted = false;
    {
        FindDialog dialog(m_dialogOwner);
        dialog.setPhrase(m_search.findText);
        accepted = dialog.exec() == QDialog::Accepted;
        if (accepted) {
            m_search.savedModuleIndex = m_list->selectedItems().isEmpty() ? -1 : m_list->currentRow();
            const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
            m_search.savedNodeIndex = selected.isEmpty() ? -1 : m_tree->flatIndexOf(selected.first());
            m_search.findText = dialog.phrase().toUpper();
        }
    }
    if (accepted) {
        const SearchHit hit = searchLibrary(0, 0);
        if (hit.found) {
            recordSearchHit(hit);
        } else {
            endSearch();
            m_messages.inform(kNotFoundText);
            selectModuleLine(m_search.savedModuleIndex);
            selectModuleNode(m_search.savedNodeIndex);
            m_list->setFocus();
        }
    }
}

void TopicLibraryPane::findNextInTopics()
{
    // "Szukaj dalej"
    const CommandsDisabled disabled(m_frame);
    const int startLine = m_search.findModuleIndex;
    const int startNode = m_search.findNodeIndex;
    const SearchHit hit = searchLibrary(startLine, startNode);
    if (hit.found) {
        recordSearchHit(hit);
    } else {
        endSearch();
        m_messages.inform(kFinishedText);
        // The walk ends on the last line with its tree rebuilt and the last
        // node it visited selected; every visited node was expanded.
        const int last = m_list->count() - 1;
        if (startLine >= 0 && startLine <= last) {
            selectModuleLine(last);
            const QList<QTreeWidgetItem *> items = m_tree->flatItems();
            const int first = startLine == last ? std::max(startNode, 0) : 0;
            if (first < items.size()) {
                for (int j = first; j < items.size(); ++j)
                    items[j]->setExpanded(true);
                selectModuleNode(static_cast<int>(items.size()) - 1);
                m_tree->setFocus();
            }
        }
    }
}

} // namespace marbelo
