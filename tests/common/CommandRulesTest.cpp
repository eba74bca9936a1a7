// The enabling rule of every command, evaluated without a window.

#include "common/CommandRules.h"
#include "common/CommandTable.h"

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

// A training with an outline whose selected item is a section with a next
// sibling section, and a detailed topic with a slide: everything is enabled.
CommandConditions everything()
{
    CommandConditions c;
    c.topicsListed = true;
    c.findActive = true;
    c.topicSelected = true;
    c.topicReference = 0x104;
    c.trainingSelected = true;
    c.outlineHasItems = true;
    c.itemSelected = true;
    c.itemReference = 0;
    c.itemHasParent = true;
    c.itemIsFirstChild = false;
    c.itemHasNextSibling = true;
    c.nextSiblingReference = 0;
    c.trainingsCanUndo = c.trainingsCanRedo = true;
    c.outlineCanUndo = c.outlineCanRedo = true;
    c.ownTopicSelected = true;
    c.coursesShown = c.courseSelected = c.participantSelected = c.certificateSelected = c.testPrepared = true;
    c.coursesCanUndo = c.coursesCanRedo = true;
    c.registerEntryInForce = true;
    c.employerSelected = c.employersCanUndo = c.employersCanRedo = true;
    c.renewalsListed = c.renewalsSelected = true;
    return c;
}

struct Row
{
    const char *what;
    std::function<void(CommandConditions &)> change;
    std::vector<Command> disabled; // the commands this change disables
};

} // namespace

TEST(CommandRules, EveryCommandIsEnabledWhenAllConditionsHold)
{
    const CommandStates s = evaluateCommands(everything());
    for (int i = 0; i < kCommandCount; ++i)
        EXPECT_TRUE(s.enabled[static_cast<size_t>(i)]) << i;
    EXPECT_TRUE(s.topicsMenu);
}

TEST(CommandRules, EachConditionDisablesExactlyItsCommands)
{
    const std::vector<Row> rows = {
        {"no topics (T)", [](CommandConditions &c) { c.topicsListed = false; },
         {Command::Find, Command::FindNext, Command::QuestionBank}},
        {"no search under way (S)", [](CommandConditions &c) { c.findActive = false; }, {Command::FindNext}},
        {"a vendor topic", [](CommandConditions &c) { c.ownTopicSelected = false; },
         {Command::RenameOwnTopic, Command::DeleteOwnTopic}},
        {"no detailed topic (D)", [](CommandConditions &c) { c.topicSelected = false; }, {Command::CopyTopic}},
        {"topic without slide", [](CommandConditions &c) { c.topicReference = 0x40000000; }, {Command::CopyTopic}},
        {"no training (P)", [](CommandConditions &c) { c.trainingSelected = false; },
         {Command::NewTrainingFrom, Command::RenameTraining, Command::DeleteTraining, Command::NewItem,
          Command::UndoItem, Command::RedoItem, Command::SaveProgramme, Command::Courses}},
        {"no item selected (N)", [](CommandConditions &c) { c.itemSelected = false; },
         {Command::CopyTopic, Command::RenameItem, Command::MoveItemTop, Command::MoveItemUp, Command::MoveItemDown,
          Command::MoveItemBottom, Command::DeleteItem, Command::SetHours}},
        {"empty outline (O)",
         [](CommandConditions &c) {
             c.outlineHasItems = false;
             c.itemSelected = false;
         },
         {Command::CopyTopic, Command::RenameItem, Command::MoveItemTop, Command::MoveItemUp, Command::MoveItemDown,
          Command::MoveItemBottom, Command::DeleteItem, Command::Preview, Command::Export, Command::SavePdf,
          Command::ScormPackage, Command::SetHours}},
        {"chapter selected", [](CommandConditions &c) { c.itemReference = 0x40000000; }, {Command::CopyTopic}},
        {"copied topic selected", [](CommandConditions &c) { c.itemReference = 4; },
         {Command::CopyTopic, Command::SetHours}},
        {"top-level item", [](CommandConditions &c) { c.itemHasParent = false; }, {Command::MoveItemTop}},
        {"first child", [](CommandConditions &c) { c.itemIsFirstChild = true; }, {Command::MoveItemUp}},
        {"last sibling", [](CommandConditions &c) { c.itemHasNextSibling = false; },
         {Command::MoveItemDown, Command::MoveItemBottom}},
        {"catalogue history at its start", [](CommandConditions &c) { c.trainingsCanUndo = false; },
         {Command::UndoTraining}},
        {"catalogue history at its end", [](CommandConditions &c) { c.trainingsCanRedo = false; },
         {Command::RedoTraining}},
        {"outline history at its start", [](CommandConditions &c) { c.outlineCanUndo = false; }, {Command::UndoItem}},
        {"outline history at its end", [](CommandConditions &c) { c.outlineCanRedo = false; }, {Command::RedoItem}},
        {"next sibling has a slide", [](CommandConditions &c) { c.nextSiblingReference = 8; }, {Command::MoveItemBottom}},
        {"no course selected", [](CommandConditions &c) { c.courseSelected = false; },
         {Command::EditCourse, Command::DeleteCourse, Command::AddParticipant, Command::EditParticipant,
          Command::RemoveParticipant, Command::ImportParticipants, Command::TogglePassed, Command::IssueCertificates,
          Command::CancelCertificate, Command::AttendanceList, Command::ParticipantCertificate,
          Command::CourseCertificates, Command::PrepareTest, Command::TestSheets, Command::ExamResults,
          Command::ExamProtocol}},
        {"no participant selected", [](CommandConditions &c) { c.participantSelected = false; },
         {Command::EditParticipant, Command::RemoveParticipant, Command::TogglePassed, Command::CancelCertificate,
          Command::ParticipantCertificate}},
        {"participant without a certificate", [](CommandConditions &c) { c.certificateSelected = false; },
         {Command::CancelCertificate, Command::ParticipantCertificate}},
        {"no test drawn", [](CommandConditions &c) { c.testPrepared = false; },
         {Command::TestSheets, Command::ExamResults, Command::ExamProtocol}},
        {"courses' history at its start", [](CommandConditions &c) { c.coursesCanUndo = false; }, {Command::UndoCourses}},
        {"courses' history at its end", [](CommandConditions &c) { c.coursesCanRedo = false; }, {Command::RedoCourses}},
        {"a cancelled number", [](CommandConditions &c) { c.registerEntryInForce = false; },
         {Command::CancelRegisterEntry}},
        {"no employer selected", [](CommandConditions &c) { c.employerSelected = false; },
         {Command::EditEmployer, Command::RemoveEmployer}},
        {"employers' history at its start", [](CommandConditions &c) { c.employersCanUndo = false; },
         {Command::UndoEmployers}},
        {"employers' history at its end", [](CommandConditions &c) { c.employersCanRedo = false; },
         {Command::RedoEmployers}},
        {"nobody due", [](CommandConditions &c) { c.renewalsListed = false; },
         {Command::RenewalLetters, Command::RenewalsCsv, Command::CourseFromRenewals}},
        {"nobody due selected", [](CommandConditions &c) { c.renewalsSelected = false; },
         {Command::CourseFromRenewals}},
    };
    for (const Row &row : rows) {
        CommandConditions c = everything();
        row.change(c);
        const CommandStates s = evaluateCommands(c);
        for (int i = 0; i < kCommandCount; ++i) {
            const auto command = static_cast<Command>(i);
            const bool expectDisabled =
                std::find(row.disabled.begin(), row.disabled.end(), command) != row.disabled.end();
            EXPECT_EQ(s.isEnabled(command), !expectDisabled) << row.what << ", command " << i;
        }
    }
}

TEST(CommandRules, MasksLookOnlyAtTheirBits)
{
    CommandConditions c = everything();
    // Bits 28 and 29 of the selected item are not part of the receive test.
    c.itemReference = 0x30000000;
    EXPECT_TRUE(evaluateCommands(c).isEnabled(Command::CopyTopic));
    // The heading flag of a next sibling does not block moving under it.
    c.nextSiblingReference = 0x40000000;
    EXPECT_TRUE(evaluateCommands(c).isEnabled(Command::MoveItemBottom));
    // A heading topic with a slide may be copied.
    c.topicReference = 0x40000010;
    EXPECT_TRUE(evaluateCommands(c).isEnabled(Command::CopyTopic));
}

TEST(CommandRules, NothingAtAllLeavesOnlyTheAlwaysCommands)
{
    const CommandStates s = evaluateCommands(CommandConditions());
    const std::vector<Command> always = {Command::Exit,      Command::NewTraining,  Command::HelpContents,
                                         Command::HelpIndex, Command::HelpInternet, Command::HelpEmail,
                                         Command::About,     Command::ImportSlides, Command::Register,
                                         Command::SaveRegister, Command::Renewals, Command::NewEmployer,
                                         Command::ChooseDatabase};
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        EXPECT_EQ(s.isEnabled(command), std::find(always.begin(), always.end(), command) != always.end()) << i;
    }
    EXPECT_TRUE(s.topicsMenu); // it holds the import
}

TEST(CommandRules, EveryCommandHasOneRowAndEveryEntryAPlace)
{
    for (int i = 0; i < kCommandCount; ++i)
        EXPECT_EQ(static_cast<int>(commandTable()[static_cast<std::size_t>(i)].command), i);
    EXPECT_EQ(commandTable().size(), static_cast<std::size_t>(kCommandCount));
    for (const CommandPlacement &p : placementTable()) {
        if (p.kind == PlacementKind::Entry) {
            EXPECT_LT(static_cast<int>(p.command), kCommandCount) << p.objectName;
        } else if (p.kind == PlacementKind::DropDownButton) {
            EXPECT_TRUE(p.place == MenuPlace::ToolBar && roleOf(p.dropDown) == EntryRole::DropDown) << p.objectName;
        }
    }
}
