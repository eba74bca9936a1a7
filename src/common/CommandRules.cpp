#include "common/CommandRules.h"

namespace marbelo {

CommandStates evaluateCommands(const CommandConditions &c)
{
    CommandStates s;
    auto set = [&s](Command command, bool on) { s.enabled[static_cast<int>(command)] = on; };
    const bool item = c.outlineHasItems && c.itemSelected;

    set(Command::Exit, true);
    set(Command::Find, c.topicsListed);
    set(Command::FindNext, c.topicsListed && c.findActive);
    // A topic with a slide, into a section or subsection (no heading flag, no slide).
    set(Command::CopyTopic, c.topicSelected && (c.topicReference & kOffsetMask) != 0 && item
                                && (c.itemReference & kReceiverMask) == 0);
    set(Command::NewTraining, true);
    set(Command::NewTrainingFrom, c.trainingSelected);
    set(Command::RenameTraining, c.trainingSelected);
    set(Command::DeleteTraining, c.trainingSelected);
    set(Command::UndoTraining, c.trainingsCanUndo);
    set(Command::RedoTraining, c.trainingsCanRedo);
    set(Command::NewItem, c.trainingSelected);
    set(Command::RenameItem, item);
    set(Command::MoveItemTop, item && c.itemHasParent);
    set(Command::MoveItemUp, item && !c.itemIsFirstChild);
    set(Command::MoveItemDown, item && c.itemHasNextSibling);
    // Only under a next sibling without a slide.
    set(Command::MoveItemBottom, item && c.itemHasNextSibling && (c.nextSiblingReference & kOffsetMask) == 0);
    set(Command::DeleteItem, item);
    set(Command::UndoItem, c.trainingSelected && c.outlineCanUndo);
    set(Command::RedoItem, c.trainingSelected && c.outlineCanRedo);
    set(Command::Preview, c.outlineHasItems);
    set(Command::Export, c.outlineHasItems);
    set(Command::SavePdf, c.outlineHasItems);
    set(Command::HelpContents, true);
    set(Command::HelpIndex, true);
    set(Command::HelpInternet, true);
    set(Command::HelpEmail, true);
    set(Command::About, true);
    set(Command::ImportSlides, true);
    // The vendor's topics are never changed.
    set(Command::RenameOwnTopic, c.ownTopicSelected);
    set(Command::DeleteOwnTopic, c.ownTopicSelected);
    // The menu holds the import, which needs no topic; its other entries follow their own rules.
    s.topicsMenu = true;
    return s;
}

} // namespace marbelo
