#include "presentation/ui/OutlineHitTest.h"

#include "trainings/DropPlacement.h"
#include "common/ui/PaneWidgets.h"
#include "store/ItemReference.h"

#include <QFontMetrics>
#include <QStyle>

namespace marbelo {

unsigned outlineHitTest(const PaneTree &tree, const QPoint &viewportPos, QTreeWidgetItem **item)
{
    *item = nullptr;
    if (!tree.viewport()->rect().contains(viewportPos))
        return 0;
    QTreeWidgetItem *row = tree.itemAt(viewportPos);
    if (!row)
        return kHitNowhere;
    *item = row;
    const QRect rect = tree.visualItemRect(row);
    if (viewportPos.x() < rect.left()) {
        const bool onButton = row->childCount() > 0 && viewportPos.x() >= rect.left() - tree.indentation();
        return onButton ? kHitOnButton : kHitOnIndent;
    }
    // The label as the item delegate draws it: the text between two margins.
    QFont font = tree.font();
    font.setBold(isHeading(PaneTree::referenceOf(row)));
    const int margin = tree.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &tree) + 1;
    const int labelWidth = QFontMetrics(font).horizontalAdvance(row->text(0)) + 2 * margin;
    return viewportPos.x() < rect.left() + labelWidth ? kHitOnItem : kHitOnRight;
}

} // namespace marbelo
