// The guard around a command's dialog: the commands are off while it lives,
// then back on and refreshed, however the command ends.

#include "common/ui/PaneInterfaces.h"

#include <gtest/gtest.h>

#include <string>

using namespace marbelo;

namespace {

class RecordingFrame : public CommandFrame
{
public:
    void refreshCommands() override { calls += 'r'; }
    void disableCommands() override { calls += 'd'; }
    void enableCommands() override { calls += 'e'; }
    bool paneInputBlocked() const override { return false; }
    std::string calls;
};

} // namespace

TEST(CommandsDisabled, DisablesForItsLifeThenEnablesAndRefreshes)
{
    RecordingFrame frame;
    {
        const CommandsDisabled disabled(frame);
        EXPECT_EQ(frame.calls, "d");
    }
    EXPECT_EQ(frame.calls, "der");
    try {
        const CommandsDisabled disabled(frame);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(frame.calls, "derder");
}
