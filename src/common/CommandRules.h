// Which commands are enabled, as a function of the contents and selections
// of the four panes. Applied to every menu entry, tool button and context
// entry of each command in one place by the main window.
#pragma once

#include "store/ItemReference.h"

#include <array>

namespace marbelo {

enum class Command {
    Exit,
    Find,
    FindNext,
    CopyTopic,
    NewTraining,
    NewTrainingFrom,
    RenameTraining,
    DeleteTraining,
    UndoTraining,
    RedoTraining,
    NewItem,
    RenameItem,
    MoveItemTop,
    MoveItemUp,
    MoveItemDown,
    MoveItemBottom,
    DeleteItem,
    UndoItem,
    RedoItem,
    Preview,
    Export,
    SavePdf,
    HelpContents,
    HelpIndex,
    HelpInternet,
    HelpEmail,
    About,
    ImportSlides,
    RenameOwnTopic,
    DeleteOwnTopic,
    Count
};

constexpr int kCommandCount = static_cast<int>(Command::Count);

// The state of the panes when the rules are evaluated.
struct CommandConditions
{
    bool topicsListed = false;          // T: the framework-topic list has a line
    bool findActive = false;            // S: a search can be continued
    bool topicSelected = false;         // D: a detailed topic is selected
    ItemReference topicReference = 0;   // ref(D)
    bool trainingSelected = false;      // P
    bool outlineHasItems = false;       // O
    bool itemSelected = false;          // N
    ItemReference itemReference = 0;    // ref(N)
    bool itemHasParent = false;
    bool itemIsFirstChild = false;      // first among its siblings (top level included)
    bool itemHasNextSibling = false;
    ItemReference nextSiblingReference = 0;
    // What the histories hold: of the catalogue, and of the selected training's outline.
    bool trainingsCanUndo = false;
    bool trainingsCanRedo = false;
    bool outlineCanUndo = false;
    bool outlineCanRedo = false;
    bool ownTopicSelected = false;      // the selected framework topic was imported
};

struct CommandStates
{
    std::array<bool, kCommandCount> enabled{};
    bool topicsMenu = false;   // "Tematy" submenu and the topics tool button
    bool isEnabled(Command c) const { return enabled[static_cast<int>(c)]; }
};

CommandStates evaluateCommands(const CommandConditions &c);

} // namespace marbelo
