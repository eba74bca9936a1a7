#include "common/CommandRules.h"

#include "common/CommandTable.h"

namespace marbelo {

bool ruleHolds(Rule rule, const CommandConditions &c)
{
    const bool item = c.outlineHasItems && c.itemSelected;
    switch (rule) {
    case Rule::Always:
        return true;
    case Rule::TopicsListed:
        return c.topicsListed;
    case Rule::SearchUnderWay:
        return c.topicsListed && c.findActive;
    case Rule::TopicIntoSection:
        // No heading flag and no slide on the receiving item.
        return c.topicSelected && (c.topicReference & kOffsetMask) != 0 && item
               && (c.itemReference & kReceiverMask) == 0;
    case Rule::TrainingSelected:
        return c.trainingSelected;
    case Rule::ItemSelected:
        return item;
    case Rule::ItemHasParent:
        return item && c.itemHasParent;
    case Rule::ItemNotFirst:
        return item && !c.itemIsFirstChild;
    case Rule::ItemHasNextSibling:
        return item && c.itemHasNextSibling;
    case Rule::NextSiblingIsSection:
        return item && c.itemHasNextSibling && (c.nextSiblingReference & kOffsetMask) == 0;
    case Rule::OutlineHasItems:
        return c.outlineHasItems;
    case Rule::TrainingsCanUndo:
        return c.trainingsCanUndo;
    case Rule::TrainingsCanRedo:
        return c.trainingsCanRedo;
    case Rule::OutlineCanUndo:
        return c.trainingSelected && c.outlineCanUndo;
    case Rule::OutlineCanRedo:
        return c.trainingSelected && c.outlineCanRedo;
    case Rule::OwnTopicSelected:
        return c.ownTopicSelected;
    case Rule::HeadingSelected:
        return item && (c.itemReference & kOffsetMask) == 0;
    case Rule::CoursesShown:
        return c.coursesShown;
    case Rule::CourseSelected:
        return c.coursesShown && c.courseSelected;
    case Rule::ParticipantSelected:
        return c.coursesShown && c.courseSelected && c.participantSelected;
    case Rule::CertificateSelected:
        return c.coursesShown && c.courseSelected && c.participantSelected && c.certificateSelected;
    case Rule::TestPrepared:
        return c.coursesShown && c.courseSelected && c.testPrepared;
    case Rule::CoursesCanUndo:
        return c.coursesShown && c.coursesCanUndo;
    case Rule::CoursesCanRedo:
        return c.coursesShown && c.coursesCanRedo;
    case Rule::RegisterEntryInForce:
        return c.registerEntryInForce;
    case Rule::EmployerSelected:
        return c.employerSelected;
    case Rule::EmployersCanUndo:
        return c.employersCanUndo;
    case Rule::EmployersCanRedo:
        return c.employersCanRedo;
    case Rule::RenewalsListed:
        return c.renewalsListed;
    case Rule::RenewalsSelected:
        return c.renewalsListed && c.renewalsSelected;
    }
    return false;
}

CommandStates evaluateCommands(const CommandConditions &c)
{
    CommandStates s;
    for (const CommandInfo &info : commandTable())
        s.enabled[static_cast<std::size_t>(info.command)] = ruleHolds(info.rule, c);
    // The menu holds the import, which needs no topic; its other entries follow their own rules.
    s.topicsMenu = true;
    return s;
}

} // namespace marbelo
