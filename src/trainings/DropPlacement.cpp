#include "trainings/DropPlacement.h"

namespace marbelo {

DropDecision decideDrop(unsigned hitFlags, bool itemHasSlide)
{
    DropDecision decision;
    if ((hitFlags & (kHitNowhere | kHitOnItem | kHitOnIcon | kHitOnIndent)) == 0)
        return decision;
    decision.act = true;
    if (hitFlags & kHitNowhere) {
        decision.target = DropTarget::ParentOfLastItem;
        decision.placement = Placement::LastChild;
    } else {
        decision.target = DropTarget::ItemUnderCursor;
        decision.placement = itemHasSlide ? Placement::Before : Placement::LastChild;
    }
    return decision;
}

} // namespace marbelo
