// Topic search and find next. The library is searched from the files, not
// by walking the tree widgets: a worker thread reads the topic files while
// the window keeps processing events (pane input is ignored meanwhile), and
// only the hit is then shown as the walk would have left it.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"
#include "store/components/Messages.h"
#include "topics/TopicSearch.h"
#include "topics/ui/FindForm.h"

#include <QEventLoop>

#include <thread>

namespace marbelo {

namespace {

const QString kNotFoundText = QStringLiteral("Nieznaleziono wystąpienia poszukiwanego zwrotu.");
const QString kFinishedText = QStringLiteral("Zakończono przeszukiwanie tematów.");

} // namespace

SearchHit TQelMainForm::searchLibrary(int startLine, int startNode)
{
    std::vector<SearchLine> lines;
    lines.reserve(static_cast<std::size_t>(QelModuleListBox->count()));
    for (int row = 0; row < QelModuleListBox->count(); ++row) {
        SearchLine line{QelModuleListBox->item(row)->text(), QString()};
        const int index = QelModuleListBox->numberAt(row);
        for (const auto &[name, runningIndex] : m_state.moduleFiles) {
            if (runningIndex == index) {
                line.fileName = name;
                break;
            }
        }
        lines.push_back(std::move(line));
    }

    m_state.searching = true;
    SearchHit hit;
    QEventLoop loop;
    std::thread worker([&, dataDir = m_state.dataDir, findText = m_state.findText] {
        hit = findInLibrary(dataDir, lines, findText, startLine, startNode);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop may also be left early by the application quitting; the
    // result is only used once the worker has finished.
    loop.exec();
    worker.join();
    m_state.searching = false;
    return hit;
}

void TQelMainForm::selectModuleLine(int row)
{
    if (row >= 0 && row < QelModuleListBox->count()) {
        QelModuleListBox->setCurrentRow(row);
    } else {
        QelModuleListBox->setCurrentRow(-1);
        QelModuleListBox->clearSelection();
    }
    LoadModuleTree();
}

void TQelMainForm::selectModuleNode(int flatIndex)
{
    const QList<QTreeWidgetItem *> items = QelModuleTreeView->flatItems();
    if (flatIndex < 0 || flatIndex >= items.size())
        return;
    QTreeWidgetItem *item = items[flatIndex];
    for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    item->setExpanded(true);
    QelModuleTreeView->setCurrentItem(item);
    QelModuleTreeView->scrollToItem(item);
}

void TQelMainForm::endSearch()
{
    m_state.findActive = false;
    m_state.findModuleIndex = 0;
    m_state.findNodeIndex = 0;
    m_state.findText.clear();
}

void TQelMainForm::recordSearchHit(const SearchHit &hit)
{
    selectModuleLine(hit.line);
    if (hit.node < 0) {
        QelModuleListBox->setFocus();
        m_state.findModuleIndex = hit.lastLine ? 0 : hit.line + 1;
        m_state.findActive = !hit.lastLine;
        m_state.findNodeIndex = 0;
        return;
    }
    selectModuleNode(hit.node);
    QelModuleTreeView->setFocus();
    m_state.findModuleIndex = hit.line;
    if (hit.lastNode) {
        m_state.findNodeIndex = 0;
        m_state.findActive = !hit.lastLine;
        if (!hit.lastLine)
            m_state.findModuleIndex = hit.line + 1;
    } else {
        m_state.findNodeIndex = hit.node + 1;
        m_state.findActive = true;
    }
}

void TQelMainForm::QelModulesFindMenuItemClick()
{
    DisableCommands();
    bool accepted = false;
    {
        TQelFindForm form(this);
        form.setPhrase(m_state.findText);
        accepted = form.exec() == QDialog::Accepted;
        if (accepted) {
            m_state.savedModuleIndex = QelModuleListBox->selectedItems().isEmpty() ? -1 : QelModuleListBox->currentRow();
            const QList<QTreeWidgetItem *> selected = QelModuleTreeView->selectedItems();
            m_state.savedNodeIndex = selected.isEmpty() ? -1 : QelModuleTreeView->flatIndexOf(selected.first());
            m_state.findText = form.phrase().toUpper();
        }
    }
    if (accepted) {
        const SearchHit hit = searchLibrary(0, 0);
        if (hit.found) {
            recordSearchHit(hit);
        } else {
            endSearch();
            m_messages.InformationMessage(kNotFoundText, 1, 0, 0);
            selectModuleLine(m_state.savedModuleIndex);
            selectModuleNode(m_state.savedNodeIndex);
            QelModuleListBox->setFocus();
        }
    }
    EnableCommands();
    RefreshCommands();
}

void TQelMainForm::QelModulesFindNextMenuItemClick()
{
    DisableCommands();
    const int startLine = m_state.findModuleIndex;
    const int startNode = m_state.findNodeIndex;
    const SearchHit hit = searchLibrary(startLine, startNode);
    if (hit.found) {
        recordSearchHit(hit);
    } else {
        endSearch();
        m_messages.InformationMessage(kFinishedText, 1, 0, 0);
        // The walk ends on the last line with its tree rebuilt and the last
        // node it visited selected; every visited node was expanded.
        const int last = QelModuleListBox->count() - 1;
        if (startLine >= 0 && startLine <= last) {
            selectModuleLine(last);
            const QList<QTreeWidgetItem *> items = QelModuleTreeView->flatItems();
            const int first = startLine == last ? std::max(startNode, 0) : 0;
            if (first < items.size()) {
                for (int j = first; j < items.size(); ++j)
                    items[j]->setExpanded(true);
                selectModuleNode(static_cast<int>(items.size()) - 1);
                QelModuleTreeView->setFocus();
            }
        }
    }
    EnableCommands();
    RefreshCommands();
}

} // namespace marbelo
