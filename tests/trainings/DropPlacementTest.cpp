// Where a drop on the outline goes, by the area under the drop point.

#include "trainings/DropPlacement.h"

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

struct DropCase
{
    const char *name;
    unsigned flags;
    bool itemHasSlide;
    bool act;
    DropTarget target;
    Placement placement;
};

const DropCase kDropCases[] = {
    {"below the last item", kHitNowhere, false, true, DropTarget::ParentOfLastItem, Placement::LastChild},
    {"below the last item, slide flag ignored", kHitNowhere, true, true, DropTarget::ParentOfLastItem,
     Placement::LastChild},
    {"on a section", kHitOnItem, false, true, DropTarget::ItemUnderCursor, Placement::LastChild},
    {"on a copied topic", kHitOnItem, true, true, DropTarget::ItemUnderCursor, Placement::Before},
    {"on the icon of a section", kHitOnIcon, false, true, DropTarget::ItemUnderCursor, Placement::LastChild},
    {"on the icon of a copied topic", kHitOnIcon, true, true, DropTarget::ItemUnderCursor, Placement::Before},
    {"in the indentation of a section", kHitOnIndent, false, true, DropTarget::ItemUnderCursor,
     Placement::LastChild},
    {"in the indentation of a copied topic", kHitOnIndent, true, true, DropTarget::ItemUnderCursor,
     Placement::Before},
    {"nowhere wins over an item flag", kHitNowhere | kHitOnItem, true, true, DropTarget::ParentOfLastItem,
     Placement::LastChild},
    {"an ignored flag beside a used one", kHitOnItem | kHitOnRight, true, true, DropTarget::ItemUnderCursor,
     Placement::Before},
};

struct IgnoredCase
{
    const char *name;
    unsigned flags;
};

const IgnoredCase kIgnoredCases[] = {
    {"no flag", 0},
    {"expand button", kHitOnButton},
    {"right of the label", kHitOnRight},
    {"button and right", kHitOnButton | kHitOnRight},
    {"above or below the control", 0x100 | 0x200},
};

} // namespace

TEST(DropPlacement, UsedAreasDecideTargetAndPlacement)
{
    for (const DropCase &c : kDropCases) {
        SCOPED_TRACE(c.name);
        const DropDecision d = decideDrop(c.flags, c.itemHasSlide);
        EXPECT_EQ(d.act, c.act);
        EXPECT_EQ(d.target, c.target);
        EXPECT_EQ(d.placement, c.placement);
    }
}

TEST(DropPlacement, OtherAreasDoNothing)
{
    for (const IgnoredCase &c : kIgnoredCases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(decideDrop(c.flags, false).act);
        EXPECT_FALSE(decideDrop(c.flags, true).act);
    }
}

TEST(DropPlacement, FlagsHaveTheHitTestValues)
{
    EXPECT_EQ(kHitNowhere | kHitOnItem | kHitOnIcon | kHitOnIndent, 0x6Cu);
}
