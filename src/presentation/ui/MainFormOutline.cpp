// Outline editing commands, the item slide preview and the outline drop.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"

namespace marbelo {

void TQelMainForm::ShowItemSlide()
{
    const QList<QTreeWidgetItem *> selected = QelProjectsTreeView->selectedItems();
    if (selected.isEmpty())
        return;
    const ItemReference reference = PaneTree::referenceOf(selected.first());
    if (!hasSlide(reference)) {
        m_state.slideShown = false;
        LayoutViewPanel();
    } else {
        const int number = selectedTrainingNumber();
        std::unique_ptr<Stream> store;
        if (number >= 0 && OpenStream(store, m_state.dataDir + imageStoreFileName(number), kOpenRead, 1)) {
            QByteArray coded;
            const bool read = readSlideBlock(*store, static_cast<std::int32_t>(slideOffset(reference)), &coded);
            store.reset();
            // A block that cannot be read is shown as no slide, never as the previous one.
            if (!read)
                coded.clear();
            showSlideThroughViewJpg(coded);
        }
    }
    RefreshCommands();
}

void TQelMainForm::QelProjectsTreeViewClick()
{
    ShowItemSlide();
}

void TQelMainForm::QelProjectsTreeViewKeyUp()
{
    ShowItemSlide();
}

void TQelMainForm::QelViewNewMenuItemClick() {}
void TQelMainForm::QelViewCorectMenuItemClick() {}
void TQelMainForm::QelViewTopMenuItemClick() {}
void TQelMainForm::QelViewUpMenuItemClick() {}
void TQelMainForm::QelViewDownMenuItemClick() {}
void TQelMainForm::QelViewBottomMenuItemClick() {}
void TQelMainForm::QelViewDeleteMenuItemClick() {}
void TQelMainForm::QelProjectsTreeViewDragOver(QDragMoveEvent *) {}
void TQelMainForm::QelProjectsTreeViewDragDrop(QDropEvent *) {}

} // namespace marbelo
