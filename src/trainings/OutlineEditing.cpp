#include "trainings/OutlineEditing.h"

namespace marbelo {

OutlineSelection outlineSelection(bool hasItems, bool hasSelection, ItemReference selectedReference)
{
    if (!hasItems)
        return OutlineSelection::Empty;
    if (!hasSelection)
        return OutlineSelection::NoneSelected;
    return isHeading(selectedReference) ? OutlineSelection::HeadingSelected : OutlineSelection::ItemSelected;
}

NewItemPlan planNewItem(NewItemChoice choice, int selectedLevel)
{
    NewItemPlan plan;
    plan.reference = choice == NewItemChoice::Chapter ? kHeadingFlag : 0;
    if (selectedLevel < 0)
        plan.anchor = NewItemAnchor::TopLevelEnd;
    else if (choice == NewItemChoice::Subsection)
        plan.anchor = NewItemAnchor::SelectedEnd;
    else
        plan.anchor = selectedLevel == 0 ? NewItemAnchor::TopLevelEnd : NewItemAnchor::ParentEnd;
    return plan;
}

} // namespace marbelo
