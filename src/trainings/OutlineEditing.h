// Rules of the new-item command: what its dialog offers for the outline's
// state, and where the new chapter, section or subsection goes.
#pragma once

#include "store/ItemReference.h"

namespace marbelo {

enum class NewItemChoice { Chapter, Section, Subsection };

// What the outline looks like when the command starts.
enum class OutlineSelection { Empty, HeadingSelected, ItemSelected, NoneSelected };

OutlineSelection outlineSelection(bool hasItems, bool hasSelection, ItemReference selectedReference);

enum class NewItemAnchor {
    TopLevelEnd,    // after the last top-level item
    ParentEnd,      // last child of the selected item's parent
    SelectedEnd,    // last child of the selected item
};

struct NewItemPlan
{
    NewItemAnchor anchor = NewItemAnchor::TopLevelEnd;
    ItemReference reference = 0;
};

// selectedLevel is the selected item's depth, or -1 when none is selected
// (an empty outline, or items without a selection: the item then goes to the
// end of the top level). A subsection without a selection is not offered; it
// is placed at the top level's end should it be asked for.
NewItemPlan planNewItem(NewItemChoice choice, int selectedLevel);

// The four move commands: up a level, up, down, down a level.
enum class OutlineMove { UpALevel, Up, Down, DownALevel };

} // namespace marbelo
