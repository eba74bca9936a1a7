// Topic library in the main window: the framework-topic list, the
// detailed-topic tree and the slide preview pane.

#include "shell/ui/MainForm.h"

#include "presentation/SlideFile.h"
#include "shell/ui/HelpContext.h"
#include "shell/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/TopicFile.h"
#include "store/components/JpegDecoder.h"
#include "store/components/Stream.h"
#include "topics/ModuleLibrary.h"
#include "topics/PreviewLayout.h"
#include "topics/ui/PreviewWidgets.h"

#include <QDragMoveEvent>

namespace marbelo {

void TQelMainForm::LoadModuleList()
{
    QelModuleListBox->setUpdatesEnabled(false);
    QelModuleListBox->clear();
    m_state.moduleFiles.clear();
    for (const ModuleEntry &entry : discoverModules(m_state.location.libraryDirs())) {
        QelModuleListBox->insertSorted(entry.title, entry.runningIndex);
        m_state.moduleFiles.emplace_back(entry.path(), entry.runningIndex);
    }
    QelModuleListBox->setUpdatesEnabled(true);
    if (QelModuleListBox->count() > 0) {
        QelModuleListBox->setCurrentRow(0);
    } else {
        QelModuleListBox->setCurrentRow(-1);
        QelModuleListBox->clearSelection();
    }
}

QString TQelMainForm::selectedModuleFile() const
{
    const QList<QListWidgetItem *> selected = QelModuleListBox->selectedItems();
    if (selected.isEmpty())
        return QString();
    const int index = selected.first()->data(kItemNumberRole).toInt();
    for (const auto &[name, runningIndex] : m_state.moduleFiles) {
        if (runningIndex == index)
            return name;
    }
    return QString();
}

void TQelMainForm::LoadModuleTree()
{
    QelModuleTreeView->clear();
    const QList<QListWidgetItem *> selected = QelModuleListBox->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = selected.first()->data(kItemNumberRole).toInt();
    QelModuleTreeView->setUpdatesEnabled(false);
    for (const auto &[name, runningIndex] : m_state.moduleFiles) {
        if (runningIndex != index)
            continue;
        TopicFile file;
        if (!readTopicFile(name, &file))
            continue;
        std::vector<QTreeWidgetItem *> items(file.nodes.size(), nullptr);
        for (std::size_t i = 0; i < file.nodes.size(); ++i) {
            const int parent = file.tree.parent[i];
            QTreeWidgetItem *item = parent < 0 ? new QTreeWidgetItem(QelModuleTreeView)
                                               : new QTreeWidgetItem(items[static_cast<std::size_t>(parent)]);
            item->setText(0, file.nodes[i].name);
            PaneTree::setReference(item, file.nodes[i].reference);
            items[i] = item;
        }
    }
    QelModuleTreeView->setUpdatesEnabled(true);
}

void TQelMainForm::QelModuleListBoxClick()
{
    if (m_state.searching)
        return;
    LoadModuleTree();
    m_state.slideShown = false;
    LayoutViewPanel();
    RefreshCommands();
    QelModuleListBox->setFocus();
}

void TQelMainForm::QelModuleListBoxKeyUp()
{
    QelModuleListBoxClick();
}

void TQelMainForm::QelModuleTreeViewClick()
{
    if (m_state.searching)
        return;
    ShowModuleSlide();
}

void TQelMainForm::QelModuleTreeViewKeyUp()
{
    QelModuleTreeViewClick();
}

void TQelMainForm::QelModuleTreeViewDragOver(QDragMoveEvent *event)
{
    // Anything may be dragged over the topic tree; dropping on it does nothing.
    event->acceptProposedAction();
}

bool TQelMainForm::showSlideThroughViewJpg(const QByteArray &coded)
{
    // The decoded slide passes through View.jpg, which is deleted at once.
    QByteArray jpeg;
    const bool written = passThroughFile(m_state.dataDir + kViewJpgName, coded, &jpeg);
    // Decoded once, at the size the pane will show it; a slide that cannot be
    // shown whole is not shown at all.
    const QSize shownSize =
        layoutPreview(QelViewBodyPanel->size(), true, jpegImageSize(jpeg)).image.size();
    const bool shown = written && QelViewImage->loadJpeg(jpeg, shownSize);
    if (!shown)
        QelViewImage->clear();
    m_state.slideShown = shown;
    LayoutViewPanel();
    return shown;
}

void TQelMainForm::ShowModuleSlide()
{
    showSelectedSlide(QelModuleTreeView, selectedModuleFile(), 0);
}

void TQelMainForm::showSelectedSlide(const PaneTree *tree, const QString &path, std::int32_t flag)
{
    const QTreeWidgetItem *item = tree->selectedItem();
    if (!item)
        return;
    const ItemReference reference = PaneTree::referenceOf(item);
    if (!hasSlide(reference)) {
        m_state.slideShown = false;
        LayoutViewPanel();
    } else {
        std::unique_ptr<Stream> file;
        if (!path.isEmpty() && OpenStream(file, path, kOpenRead, flag)) {
            QByteArray coded;
            const bool read = readSlideBlock(*file, static_cast<std::int32_t>(slideOffset(reference)), &coded);
            file.reset();
            if (read) {
                showSlideThroughViewJpg(coded);
            } else {
                // A block that cannot be read is shown as no slide, never as the previous one.
                QelViewImage->clear();
                m_state.slideShown = false;
                LayoutViewPanel();
            }
        }
    }
    RefreshCommands();
}

void TQelMainForm::LayoutViewPanel()
{
    paintPaleYellow(QelViewBodyPanel);
    const PreviewLayout layout =
        layoutPreview(QelViewBodyPanel->size(), m_state.slideShown, QelViewImage->pictureSize());
    QelViewImage->setGeometry(layout.image);
    QelViewImage->setVisible(!layout.image.isEmpty());
    const std::array<TitleLabel *, 3> labels = {Qel3DLabel1, Qel3DLabel2, Qel3DLabel3};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setGeometry(0, layout.labelTop[i], layout.labelWidth, kTitleLabelHeight);
        labels[i]->setVisible(layout.labelWidth > 0);
    }
}

void TQelMainForm::QelViewBodyPanelResize()
{
    LayoutViewPanel();
}

} // namespace marbelo
