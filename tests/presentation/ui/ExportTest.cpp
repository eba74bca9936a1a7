// "Utwórz prezentację": the presentation folder, cancel, repeat and failures.

#include "PresentationFixture.h"

#include "presentation/BrowserPage.h"
#include "presentation/ui/WaitForm.h"
#include "store/components/Coding.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/DataFiles.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Tool.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>

using namespace marbelo;
using namespace testing_support;

namespace {

const QString kSuccess = QStringLiteral("Prezentacja została poprawnie utworzona.");

class ExportTest : public PresentationTest
{
protected:
    void exportTo(const QString &path)
    {
        saveDialog.answers.push_back(path);
        window->entries(Command::Export).mainMenu->trigger();
    }

    QStringList outFiles() const
    {
        return QDir(outFolder()).entryList(QDir::Files, QDir::Name);
    }

    bool waitWindowLeft() const
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<WaitForm *>(w))
                return true;
        }
        return false;
    }
};

} // namespace

TEST_F(ExportTest, WritesThePresentationUnderTheChosenNameAndTheViewerAsStartExe)
{
    open();
    exportTo(outFolder() + "Moje szkolenie.pnn");
    EXPECT_EQ(saveDialog.shown, 1);
    EXPECT_EQ(outFiles(), QStringList({"Autorun.inf", "Moje szkolenie.html", "Moje szkolenie.pnn", "Start.exe"}));
    EXPECT_EQ(QDir(outFolder() + "Moje szkolenie-slajdy").entryList(QDir::Files),
              QStringList({"0001.jpg", "0002.jpg", "0003.jpg"}));
    EXPECT_EQ(readFile(outFolder() + "Moje szkolenie-slajdy/0003.jpg"), BCodeToStr(slideB));
    EXPECT_EQ(readFile(outFolder() + "Moje szkolenie.pnn"), expectedPresentation());
    EXPECT_EQ(readFile(outFolder() + "Start.exe"), QByteArray("viewer program"));
    EXPECT_EQ(readFile(outFolder() + "Autorun.inf"), readFile(dir.file("Autorun.inf")));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].kind, "information");
    EXPECT_EQ(messages.calls[0].text, kSuccess);
    EXPECT_FALSE(fileExists(workFile()));
    EXPECT_FALSE(waitWindowLeft());
}

TEST_F(ExportTest, ComponentsAreCopiedWhenTheDataDirectoryHasThem)
{
    writeFile(dir.file("Common.dll"), "common");
    writeFile(dir.file("Shadow.dll"), "shadow");
    open();
    exportTo(outFolder() + "p.pnn");
    EXPECT_EQ(outFiles(), QStringList({"Autorun.inf", "Common.dll", "Shadow.dll", "Start.exe", "p.html", "p.pnn"}));
    EXPECT_EQ(readFile(outFolder() + "Shadow.dll"), QByteArray("shadow"));
    EXPECT_EQ(messages.texts(), QStringList({kSuccess}));
}

TEST_F(ExportTest, SameExportTwiceReplacesEveryFile)
{
    open();
    exportTo(outFolder() + "p.pnn");
    // Everything the second export copies has changed meanwhile.
    writeFile(dir.file("TarvixView.exe"), "viewer 2");
    writeFile(dir.file("Autorun.inf"), "[autorun]\nopen=Start.exe\nlabel=2\n");
    const QByteArray newFront = codedSlide(0xFFFF00);
    QByteArray fronts;
    for (int t = 0; t < kTrainingTypeCount; ++t)
        fronts += blockBytes(newFront);
    writeFile(dir.file(kFrontPageName), fronts);
    exportTo(outFolder() + "p.pnn");
    EXPECT_EQ(saveDialog.shown, 2);
    EXPECT_EQ(outFiles(), QStringList({"Autorun.inf", "Start.exe", "p.html", "p.pnn"}));
    EXPECT_EQ(readFile(outFolder() + "p-slajdy/0001.jpg"), BCodeToStr(newFront));
    EXPECT_EQ(readFile(outFolder() + "p.pnn"), blockBytes(newFront) + blockBytes(slideA) + blockBytes(slideB));
    EXPECT_EQ(readFile(outFolder() + "Start.exe"), QByteArray("viewer 2"));
    EXPECT_EQ(readFile(outFolder() + "Autorun.inf"), readFile(dir.file("Autorun.inf")));
    EXPECT_EQ(messages.texts(), QStringList({kSuccess, kSuccess}));
}

TEST_F(ExportTest, CancelWritesNothingAndShowsNothing)
{
    writeFile(workFile(), "left from before");
    open();
    window->entries(Command::Export).mainMenu->trigger();
    EXPECT_EQ(saveDialog.shown, 1);
    EXPECT_TRUE(outFiles().isEmpty());
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(readFile(workFile()), QByteArray("left from before"));
    EXPECT_FALSE(waitWindowLeft());
}

TEST_F(ExportTest, MissingImageStoreIsReportedAndKeepsAnOlderPresentation)
{
    open();
    QFile::remove(dir.file(imageStoreFileName(0)));
    writeFile(outFolder() + "p.pnn", "older presentation");
    exportTo(outFolder() + "p.pnn");
    EXPECT_EQ(readFile(outFolder() + "p.pnn"), QByteArray("older presentation"));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.startsWith("Nie udało się utworzyć prezentacji"))
        << messages.calls[0].text.toStdString();
    EXPECT_TRUE(messages.calls[0].text.contains(imageStoreFileName(0)));
    EXPECT_FALSE(fileExists(workFile()));
    EXPECT_FALSE(waitWindowLeft());
}

TEST_F(ExportTest, MissingSideFilesAreNamed)
{
    const struct
    {
        QString removed;
        QString named;
    } cases[] = {{"TarvixView.exe", "Start.exe"}, {"Autorun.inf", "Autorun.inf"}};
    open();
    for (const auto &c : cases) {
        const QByteArray kept = readFile(dir.file(c.removed));
        QFile::remove(dir.file(c.removed));
        messages.calls.clear();
        exportTo(outFolder() + "p.pnn");
        EXPECT_EQ(readFile(outFolder() + "p.pnn"), expectedPresentation());
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_NE(messages.calls[0].text, kSuccess);
        EXPECT_TRUE(messages.calls[0].text.contains("Nie udało się skopiować plików: " + c.named + "."))
            << messages.calls[0].text.toStdString();
        writeFile(dir.file(c.removed), kept);
        QFile::remove(outFolder() + c.named);
    }
}

TEST_F(ExportTest, RefusesNamesThatWouldDestroyTheFilesItUses)
{
    open();
    writeFile(workFile(), "working file");
    const QByteArray store = readFile(dir.file(imageStoreFileName(0)));
    for (const QString &chosen : {workFile(), dir.file(imageStoreFileName(0)), outFolder() + "Start.exe"}) {
        messages.calls.clear();
        exportTo(chosen);
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_TRUE(messages.calls[0].text.startsWith("Nie można zapisać prezentacji pod nazwą"));
    }
    EXPECT_EQ(readFile(workFile()), QByteArray("working file"));
    EXPECT_EQ(readFile(dir.file(imageStoreFileName(0))), store);
    EXPECT_TRUE(outFiles().isEmpty());
}

TEST_F(ExportTest, ToolComposesTheSameBytesAsTheExport)
{
    open();
    exportTo(outFolder() + "p.pnn");
    const ToolResult composed = runTool({"compose", dir.path(), "0", dir.file("tool.pnn")});
    ASSERT_EQ(composed.exitCode, 0) << composed.err.toStdString();
    EXPECT_EQ(composed.out, "slides\t3\tbytes\t" + QString::number(expectedPresentation().size()) + "\n");
    EXPECT_EQ(readFile(dir.file("tool.pnn")), readFile(outFolder() + "p.pnn"));

    const ToolResult blocks = runTool({"blocks", dir.file("tool.pnn")});
    ASSERT_EQ(blocks.exitCode, 0);
    const int second = 4 + int(front.size());
    const int third = second + 4 + int(slideA.size());
    EXPECT_EQ(blocks.out, QStringLiteral("0\t%1\n%2\t%3\n%4\t%5\n")
                              .arg(front.size())
                              .arg(second)
                              .arg(slideA.size())
                              .arg(third)
                              .arg(slideB.size()));
}

TEST_F(ExportTest, ToolExportWritesTheSameFilesBytesAndModesAsTheWindow)
{
    open();
    exportTo(outFolder() + "p.pnn");
    ASSERT_EQ(messages.texts(), QStringList({kSuccess}));
    const ToolResult exported = runTool({"export", dir.path(), "0", dir.file("tool/p.pnn")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();

    const auto tree = [](const QString &root) {
        QStringList entries;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            entries << QStringLiteral("%1 %2 %3")
                           .arg(QDir(root).relativeFilePath(path))
                           .arg(int(QFile::permissions(path)), 0, 16)
                           .arg(QString::fromLatin1(readFile(path).toHex().left(64)) + QString::number(QFileInfo(path).size()));
        }
        entries.sort();
        return entries;
    };
    EXPECT_EQ(tree(dir.file("tool")), tree(outFolder()));
    EXPECT_EQ(tree(outFolder()).size(), 8); // 4 files, the slide folder and its 3 slides
}

TEST_F(ExportTest, AFullDiskAtAnyPointLeavesWholeFilesAndIsReported)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    open();
    const QString chosen = outFolder() + "p.pnn";
    const QString slides = outFolder() + "p-slajdy/";
    const FaultCase fault{
        QStringLiteral("window: export a presentation folder"),
        outFolder(),
        {{chosen, QByteArray("older presentation"), expectedPresentation()},
         {outFolder() + "p.html", std::nullopt, browserPage(QStringLiteral("Szkolenie"), "p-slajdy", 3)},
         {slides + "0001.jpg", std::nullopt, BCodeToStr(front)},
         {slides + "0002.jpg", std::nullopt, BCodeToStr(slideA)},
         {slides + "0003.jpg", std::nullopt, BCodeToStr(slideB)},
         {outFolder() + "Start.exe", std::nullopt, QByteArray("viewer program")},
         {outFolder() + "Autorun.inf", std::nullopt, readFile(dir.file("Autorun.inf"))},
         {workFile(), std::nullopt, std::nullopt}},
        [&] {
            messages.calls.clear();
            exportTo(chosen);
            EXPECT_FALSE(waitWindowLeft());
            return messages.calls.size() == 1 && messages.calls[0].text == kSuccess;
        },
        [&] { QDir(slides).removeRecursively(); }};
    // Every byte count up to the largest slide, then every 37th up to the page's size.
    std::vector<qint64> limits;
    for (qint64 limit : everyFailurePoint(fault)) {
        if (limit <= std::max({front.size(), slideA.size(), slideB.size()}) + 8 || limit % 37 == 0)
            limits.push_back(limit);
    }
    const FaultRow row = runFaultMatrix(fault, limits);
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(row.refused, 0) << row.summary().toStdString();
    EXPECT_GE(row.whole, 1) << row.summary().toStdString();
}
