// marbelo-tool's trainings and outline commands.

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(TrainingTool, TrainingsListsLiveOnesInTheListOrder)
{
    TempDataDir dir;
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Łódź"), 2, 0}).has_value());
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Usunięte"), 0, -1}).has_value());
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Lublin"), 5, 0}).has_value());
    const ToolResult result = runTool({"trainings", dir.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("2\t5\tLublin\n0\t2\tŁódź\n"));
    EXPECT_EQ(runTool({"trainings", dir.file("missing")}).exitCode, 1);
    EXPECT_EQ(runTool({"trainings"}).exitCode, 2);
}

TEST(TrainingTool, OutlinePrintsTheTreeAsBuilt)
{
    TempDataDir dir;
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(7)),
                            {{QStringLiteral("Rozdział"), 0, 0x40000000},
                             {QStringLiteral("Dział"), 1, 0},
                             {QStringLiteral("Temat"), 2, 4},
                             {QStringLiteral("Skok"), 5, 0}},
                            &error));
    const ToolResult result = runTool({"outline", dir.path(), "7"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("0\t0x40000000\tRozdział\n1\t0x00000000\tDział\n2\t0x00000004\tTemat\n"
                                         "0\t0x00000000\tSkok\n"));
    // A training without an outline file has an empty outline.
    const ToolResult empty = runTool({"outline", dir.path(), "3"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.out.isEmpty());
    EXPECT_EQ(runTool({"outline", dir.path(), "x"}).exitCode, 2);
}
