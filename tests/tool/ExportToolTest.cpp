// marbelo-tool's export and pdf commands, and the exported folder's player
// started from the folder.

#include "support/Fixtures.h"
#include "support/PresentationData.h"
#include "support/Tool.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList filesUnder(const QString &dir)
{
    QStringList names;
    for (const QString &name : QDir(dir).entryList(QDir::Files, QDir::Name))
        names << name;
    return names;
}

} // namespace

TEST(ExportTool, WritesTheFolderWithTheSlidesAsExtractWritesThemAndAPlayerThatStarts)
{
    TempDataDir dir;
    const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 3);
    // The real player, as the build puts it in the data directory.
    QFile::remove(dir.file("TarvixView.exe"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MARBELO_PLAYER_PATH), dir.file("TarvixView.exe")));
    QFile::setPermissions(dir.file("TarvixView.exe"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const QString folder = dir.file("out/");
    const ToolResult exported = runTool({"export", dir.path(), "0", folder + "Kurs BHP.pnn"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, QStringLiteral("slides\t4\tbytes\t%1\n").arg(data.presentation.size()));
    EXPECT_EQ(filesUnder(folder), QStringList({"Autorun.inf", "Kurs BHP.html", "Kurs BHP.pnn", "Start.exe"}));
    EXPECT_EQ(readFile(folder + "Kurs BHP.pnn"), data.presentation);

    ASSERT_EQ(runTool({"extract", folder + "Kurs BHP.pnn", dir.file("extracted")}).exitCode, 0);
    const QStringList slides = filesUnder(folder + "Kurs BHP-slajdy");
    ASSERT_EQ(slides, QStringList({"0001.jpg", "0002.jpg", "0003.jpg", "0004.jpg"}));
    for (const QString &name : slides)
        EXPECT_EQ(readFile(folder + "Kurs BHP-slajdy/" + name), readFile(dir.file("extracted/slide-" + name)));

    // Started from the folder, the player finds the presentation beside it.
    QProcess player;
    player.setWorkingDirectory(folder);
    player.start(folder + "Start.exe", {QStringLiteral("--check")});
    ASSERT_TRUE(player.waitForFinished(60000)) << player.errorString().toStdString();
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(player.readAllStandardOutput()), QStringLiteral("slides\t4\tKurs BHP.pnn\n"));
}

TEST(ExportTool, RefusesUsagesAndNamesItMustNotWrite)
{
    TempDataDir dir;
    writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 1);
    const struct
    {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"export", dir.path(), "0"}, 2},
        {{"export", dir.path(), "x", dir.file("p.pnn")}, 2},
        {{"export", dir.path(), "0", dir.file("Data0000.pdl")}, 1},
        {{"export", dir.path(), "0", dir.file("out/p.html")}, 1},
        {{"export", dir.path(), "5", dir.file("out/p.pnn")}, 1},
        {{"pdf", dir.path(), "0"}, 2},
        {{"pdf", dir.path(), "0", dir.file("p.pdf"), "--slides"}, 2},
        {{"pdf", dir.path(), "0", dir.file("Tree0000.pdl")}, 1},
        {{"pdf", dir.path(), "5", dir.file("p.pdf")}, 1},
    };
    const QByteArray store = readFile(dir.file("Data0000.pdl"));
    for (const auto &c : cases) {
        const ToolResult result = runTool(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(readFile(dir.file("Data0000.pdl")), store);
    EXPECT_FALSE(fileExists(dir.file("p.pdf")));
    EXPECT_FALSE(fileExists(dir.file("out/p.pnn")));
}

TEST(ExportTool, PdfPrintsItsSlidesAndPages)
{
    TempDataDir dir;
    writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 6);
    const struct
    {
        QStringList extra;
        QString out;
    } cases[] = {{{}, "slides\t7\tpages\t7\n"}, {{"--handouts"}, "slides\t7\tpages\t3\n"}};
    for (const auto &c : cases) {
        const ToolResult result = runTool(QStringList({"pdf", dir.path(), "0", dir.file("p.pdf")}) + c.extra);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, c.out);
        EXPECT_TRUE(readFile(dir.file("p.pdf")).startsWith("%PDF-"));
    }
}
