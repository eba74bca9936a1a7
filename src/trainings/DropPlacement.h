// Where a drop on the outline puts the dropped item: the outline's hit-test
// areas at the drop point decide the target node and the placement.
#pragma once

namespace marbelo {

// Where a new or moved outline item goes relative to a target node.
enum class Placement { LastChild, Before };

// Areas of the outline under a point, as bit flags.
enum DropHit : unsigned {
    kHitNowhere = 0x04,  // below the last item
    kHitOnItem = 0x08,   // on an item's label
    kHitOnButton = 0x10, // on the expand button of an item with children
    kHitOnIcon = 0x20,   // on an item's icon
    kHitOnIndent = 0x40, // left of an item, in its indentation
    kHitOnRight = 0x80,  // right of an item's label
};

enum class DropTarget {
    ItemUnderCursor,  // the item the point is on
    ParentOfLastItem, // parent of the outline's last item in pre-order (none for a root)
};

struct DropDecision
{
    bool act = false; // false: the drop does nothing
    DropTarget target = DropTarget::ItemUnderCursor;
    Placement placement = Placement::LastChild;
};

// Only nowhere, on item, on icon and on indent lead anywhere; the item under
// the point receives the drop as its last child, unless it carries a slide,
// when the drop goes in front of it.
DropDecision decideDrop(unsigned hitFlags, bool itemHasSlide);

} // namespace marbelo
