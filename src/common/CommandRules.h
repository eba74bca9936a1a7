// Which commands are enabled, as a function of the contents and selections
// of the four panes. Applied to every menu entry, tool button and context
// entry of each command in one place by the main window.
#pragma once

#include "common/Command.h"
#include "store/ItemReference.h"

#include <array>

namespace marbelo {

// When a command is available. Each command's row in the command table names
// its rule; several commands share one.
enum class Rule {
    Always,
    TopicsListed,        // T
    SearchUnderWay,      // T and S
    TopicIntoSection,    // a topic with a slide, into a section or subsection
    TrainingSelected,    // P
    ItemSelected,        // O and N
    ItemHasParent,
    ItemNotFirst,
    ItemHasNextSibling,
    NextSiblingIsSection, // a next sibling without a slide, to move under
    OutlineHasItems,     // O
    TrainingsCanUndo,
    TrainingsCanRedo,
    OutlineCanUndo,      // P and the outline's history
    OutlineCanRedo,
    OwnTopicSelected,    // the vendor's topics are never changed
    HeadingSelected,     // O and N, N without a slide: a chapter, section or subsection
    // The "Kursy" window's.
    CoursesShown,        // the window is open
    CourseSelected,
    ParticipantSelected,
    CertificateSelected, // the selected participant holds a certificate in force
    TestPrepared,        // the selected course has a drawn test
    CoursesCanUndo,
    CoursesCanRedo,
    // The register window's.
    RegisterEntryInForce, // the selected number's certificate is not cancelled
    // The employers window's.
    EmployerSelected,
    EmployersCanUndo,
    EmployersCanRedo,
    // The renewals window's.
    RenewalsListed,      // someone's periodic training falls due in the period shown
    RenewalsSelected,    // people or an employer's group of them are selected
};

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
    // The "Kursy" window.
    bool coursesShown = false;
    bool courseSelected = false;
    bool participantSelected = false;
    bool certificateSelected = false;
    bool testPrepared = false;
    bool coursesCanUndo = false;
    bool coursesCanRedo = false;
    // The register window.
    bool registerEntryInForce = false;
    // The employers window.
    bool employerSelected = false;
    bool employersCanUndo = false;
    bool employersCanRedo = false;
    // The renewals window.
    bool renewalsListed = false;
    bool renewalsSelected = false;
};

struct CommandStates
{
    std::array<bool, kCommandCount> enabled{};
    bool topicsMenu = false;   // "Tematy" submenu and the topics tool button
    bool isEnabled(Command c) const { return enabled[static_cast<int>(c)]; }
};

bool ruleHolds(Rule rule, const CommandConditions &c);
// Every command's rule, as its row in the command table names it.
CommandStates evaluateCommands(const CommandConditions &c);

} // namespace marbelo
