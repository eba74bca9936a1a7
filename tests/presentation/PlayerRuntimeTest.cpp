// The player's runtime list (its DLLs and platform plugin on Windows): which
// lists are taken, and that the export copies what they name or says why not.

#include "presentation/ExportFolder.h"
#include "presentation/PlayerRuntime.h"
#include "support/Fixtures.h"
#include "support/PresentationData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

struct ListCase
{
    const char *what;
    QByteArray list;
    bool valid;
    QStringList files;
};

class PlayerRuntimeList : public ::testing::TestWithParam<ListCase>
{
};

const QByteArray manyLines = [] {
    QByteArray bytes;
    for (int i = 0; i <= kMaxPlayerRuntimeFiles; ++i)
        bytes += "lib" + QByteArray::number(i) + ".dll\n";
    return bytes;
}();

INSTANTIATE_TEST_SUITE_P(
    Lists, PlayerRuntimeList,
    ::testing::Values(
        ListCase{"plain", "Qt6Core.dll\r\n# plugin\n\nplatforms/qwindows.dll\n", true,
                 {"Qt6Core.dll", "platforms/qwindows.dll"}},
        ListCase{"same name twice", "a.dll\nA.DLL\n", true, {"a.dll"}},
        ListCase{"empty", "", true, {}},
        ListCase{"climbs out", "../secret.dll\n", false, {}},
        ListCase{"absolute", "/etc/passwd\n", false, {}},
        ListCase{"drive letter", "C:/Windows/x.dll\n", false, {}},
        ListCase{"backslash", "platforms\\qwindows.dll\n", false, {}},
        ListCase{"empty part", "platforms//qwindows.dll\n", false, {}},
        ListCase{"too deep", "a/b/c/d.dll\n", false, {}},
        ListCase{"replaces the player", "start.EXE\n", false, {}},
        ListCase{"not ASCII", "zażółć.dll\n", false, {}},
        ListCase{"too many files", manyLines, false, {}},
        ListCase{"too long", QByteArray(kMaxPlayerRuntimeListSize + 1, '#'), false, {}}),
    [](const auto &info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_P(PlayerRuntimeList, IsTakenOnlyWhenEveryLineIsAPlainPathBelowThePlayer)
{
    TempDataDir dir;
    writeFile(dir.file(kPlayerRuntimeList), GetParam().list);
    const PlayerRuntime runtime = playerRuntime(dir.path());
    EXPECT_EQ(runtime.valid, GetParam().valid);
    EXPECT_EQ(runtime.files, GetParam().files);
}

TEST(PlayerRuntime, WithoutAListThePlayerNeedsNothingMore)
{
    TempDataDir dir;
    const PlayerRuntime runtime = playerRuntime(dir.path());
    EXPECT_TRUE(runtime.valid);
    EXPECT_TRUE(runtime.files.isEmpty());
}

class PlayerRuntimeExport : public ::testing::Test
{
protected:
    ExportResult exportFolder()
    {
        const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 2);
        TrainingRecord training;
        return exportPresentationFolder(dir.path(), 0, data.references, &training, out.file("p.pnn"));
    }
    TempDataDir dir;
    TempDataDir out;
};

TEST_F(PlayerRuntimeExport, CopiesTheListedFilesIntoTheirFolders)
{
    QDir(dir.path()).mkpath(QStringLiteral("platforms"));
    writeFile(dir.file("Qt6Core.dll"), "core");
    writeFile(dir.file("platforms/qwindows.dll"), "plugin");
    writeFile(dir.file(kPlayerRuntimeList), "Qt6Core.dll\nplatforms/qwindows.dll\n");
    // A link planted as the plugin folder is replaced, not written through.
    TempDataDir outside;
    ASSERT_TRUE(QFile::link(outside.path(), out.file("platforms")));
    const ExportResult result = exportFolder();
    ASSERT_TRUE(result.ok()) << exportMessage(result, QString()).toStdString();
    EXPECT_EQ(readFile(out.file("Qt6Core.dll")), "core");
    EXPECT_EQ(readFile(out.file("platforms/qwindows.dll")), "plugin");
    EXPECT_FALSE(QFileInfo(out.file("platforms")).isSymLink());
    EXPECT_TRUE(QDir(outside.path()).isEmpty());
    // The list itself stays with the program.
    EXPECT_FALSE(fileExists(out.file(kPlayerRuntimeList)));
}

TEST_F(PlayerRuntimeExport, AMissingFileOrABrokenListIsReported)
{
    const struct
    {
        QByteArray list;
        QString failed;
    } cases[] = {{"Qt6Gui.dll\n", QStringLiteral("Qt6Gui.dll")}, {"../x.dll\n", kPlayerRuntimeList}};
    for (const auto &c : cases) {
        writeFile(dir.file(kPlayerRuntimeList), c.list);
        const ExportResult result = exportFolder();
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.presentationWritten);
        EXPECT_EQ(result.failedSides, QStringList(c.failed));
        EXPECT_TRUE(exportMessage(result, QString()).contains(c.failed));
    }
}

} // namespace
