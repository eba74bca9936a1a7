// The new-item command's dialog set-up and placement rules.

#include "trainings/OutlineEditing.h"

#include <gtest/gtest.h>

using namespace marbelo;

TEST(OutlineEditing, StateOfTheOutline)
{
    struct Case
    {
        bool hasItems, hasSelection;
        ItemReference reference;
        OutlineSelection expected;
    };
    const Case cases[] = {
        {false, false, 0, OutlineSelection::Empty},
        {true, false, 0, OutlineSelection::NoneSelected},
        {true, true, 0x40000000, OutlineSelection::HeadingSelected},
        {true, true, 0x40000010, OutlineSelection::HeadingSelected},
        {true, true, 0, OutlineSelection::ItemSelected},
        {true, true, 0x00000010, OutlineSelection::ItemSelected},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hasItems << c.hasSelection << c.reference);
        EXPECT_EQ(outlineSelection(c.hasItems, c.hasSelection, c.reference), c.expected);
    }
}

TEST(OutlineEditing, NewItemPlacementTable)
{
    struct Case
    {
        NewItemChoice choice;
        int selectedLevel;
        NewItemAnchor anchor;
        ItemReference reference;
    };
    const Case cases[] = {
        // Empty outline, or items without a selection: the end of the top level.
        {NewItemChoice::Chapter, -1, NewItemAnchor::TopLevelEnd, 0x40000000},
        {NewItemChoice::Section, -1, NewItemAnchor::TopLevelEnd, 0},
        // A level-0 item selected.
        {NewItemChoice::Chapter, 0, NewItemAnchor::TopLevelEnd, 0x40000000},
        {NewItemChoice::Section, 0, NewItemAnchor::TopLevelEnd, 0},
        {NewItemChoice::Subsection, 0, NewItemAnchor::SelectedEnd, 0},
        // Level 1 or deeper: the end of the selected item's own level.
        {NewItemChoice::Chapter, 1, NewItemAnchor::ParentEnd, 0x40000000},
        {NewItemChoice::Section, 1, NewItemAnchor::ParentEnd, 0},
        {NewItemChoice::Section, 2, NewItemAnchor::ParentEnd, 0},
        {NewItemChoice::Subsection, 2, NewItemAnchor::SelectedEnd, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.choice) << " at level " << c.selectedLevel);
        const NewItemPlan plan = planNewItem(c.choice, c.selectedLevel);
        EXPECT_EQ(plan.anchor, c.anchor);
        EXPECT_EQ(plan.reference, c.reference);
    }
}
