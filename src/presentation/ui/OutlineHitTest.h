// Which area of the outline pane lies under a point of its viewport, as the
// drop on the outline sees it (flags of trainings/DropPlacement.h).
#pragma once

#include <QPoint>

class QTreeWidgetItem;

namespace marbelo {

class PaneTree;

// Below the last row: nowhere. On a row: left of the item's own rect is its
// indentation, except the last indentation step of an item with children,
// which holds its expand button; from the rect's left edge to the end of the
// label text is the item; farther right is right of the item. item receives
// the item of the row, or null.
unsigned outlineHitTest(const PaneTree &tree, const QPoint &viewportPos, QTreeWidgetItem **item);

} // namespace marbelo
