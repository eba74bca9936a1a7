// The presentation folder: its files, bytes and modes, the browser page made
// from the template, and what a second export leaves of the first.

#include "presentation/BrowserPage.h"
#include "presentation/ExportFolder.h"
#include "presentation/ExportPlan.h"
#include "support/Fixtures.h"
#include "support/PresentationData.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <map>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class ExportFolderTest : public ::testing::Test
{
protected:
    ExportResult exportTo(const QString &chosen, const TrainingData &data)
    {
        TrainingRecord training;
        return exportPresentationFolder(dir.path(), 0, data.references, &training, chosen);
    }
    QStringList slideFiles(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    TempDataDir dir;
    TempDataDir out;
};

} // namespace

TEST_F(ExportFolderTest, WritesEveryFileWithTheSlidesDecodedAndOnlyThePlayerExecutable)
{
    const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 3);
    const ExportResult result = exportTo(out.file("Moje szkolenie.pnn"), data);
    ASSERT_TRUE(result.ok()) << exportMessage(result, QString()).toStdString();
    EXPECT_EQ(result.slides, 4);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"Autorun.inf", "Moje szkolenie-slajdy", "Moje szkolenie.html", "Moje szkolenie.pnn",
                           "Start.exe"}));
    EXPECT_EQ(readFile(out.file("Moje szkolenie.pnn")), data.presentation);
    const QString slides = out.file("Moje szkolenie-slajdy/");
    EXPECT_EQ(slideFiles(slides), QStringList({"0001.jpg", "0002.jpg", "0003.jpg", "0004.jpg"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(readFile(slides + QStringLiteral("%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0'))), data.jpegs[i]);
    EXPECT_FALSE(fileExists(dir.file("View.pnn")));

    const auto exec = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    const auto read = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    EXPECT_EQ(QFile::permissions(out.file("Start.exe")) & (exec | read), exec | read);
    for (const char *name : {"Autorun.inf", "Moje szkolenie.pnn", "Moje szkolenie.html",
                                "Moje szkolenie-slajdy/0001.jpg"})
        EXPECT_EQ(QFile::permissions(out.file(name)) & exec, 0) << name;
    EXPECT_EQ(QFile::permissions(slides) & exec, exec);
}

TEST_F(ExportFolderTest, ASecondExportReplacesTheSlideFolderWhole)
{
    TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 4);
    ASSERT_TRUE(exportTo(out.file("p.pnn"), data).ok());
    writeFile(out.file("p-slajdy/notatki.txt"), "left by the user");
    data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 1);
    ASSERT_TRUE(exportTo(out.file("p.pnn"), data).ok());
    EXPECT_EQ(slideFiles(out.file("p-slajdy")), QStringList({"0001.jpg", "0002.jpg"}));
    EXPECT_EQ(readFile(out.file("p-slajdy/0002.jpg")), data.jpegs[1]);
    EXPECT_TRUE(readFile(out.file("p.html")).contains(R"(["p-slajdy/0001.jpg","p-slajdy/0002.jpg"])"));
    // Nothing of the work in between is left beside them.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList({"p-slajdy"}));
}

TEST_F(ExportFolderTest, ASlideThatFailsMidwayLeavesTheOlderExportAsItWas)
{
    // The slides before the failing one were already written beside the
    // older ones: they must be gone, and every older file as it was.
    const auto tree = [&] {
        std::map<QString, QByteArray> files;
        for (QDirIterator it(out.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString path = it.next();
            files[path] = QFileInfo(path).isDir() ? QByteArray("folder") : readFile(path);
        }
        return files;
    };
    const struct
    {
        const char *what;
        std::function<void(QByteArray &store, qsizetype lastBlock)> spoil;
        QString error;
    } cases[] = {
        {"last slide no JPEG", [](QByteArray &store, qsizetype last) { store[last + 4] = char(store[last + 4] ^ 0x55); },
         "slajd 3 nie jest poprawnym obrazem JPEG"},
        {"last slide cut short", [](QByteArray &store, qsizetype) { store.chop(1); }, "slajd pozycji 3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 2);
        ASSERT_TRUE(exportTo(out.file("p.pnn"), data).ok());
        const auto older = tree();
        QByteArray store = readFile(dir.file("Data0000.pdl"));
        c.spoil(store, store.size() - 4 - data.jpegs.back().size());
        writeFile(dir.file("Data0000.pdl"), store);
        const ExportResult result = exportTo(out.file("p.pnn"), data);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.composed.error.startsWith(c.error)) << result.composed.error.toStdString();
        EXPECT_TRUE(tree() == older);
    }
}

TEST(BrowserPage, NamesCannotBreakOutOfThePage)
{
    const struct
    {
        QString title;
        QString folder;
        QByteArray titleInPage;
        QByteArray listInPage;
    } cases[] = {
        {"Szkolenie BHP", "a-slajdy", "<title>Szkolenie BHP</title>", R"(["a-slajdy/0001.jpg","a-slajdy/0002.jpg"])"},
        {"<script>alert(1)</script> & \"x\"", "b-slajdy",
         "<title>&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;x&quot;</title>", "b-slajdy/0002.jpg"},
        {"Żółć @SLIDES@", "</script>\"'ł slajdy", "<title>Żółć @SLIDES@</title>",
         R"("%3C%2Fscript%3E%22%27%C5%82%20slajdy/0001.jpg")"},
    };
    for (const auto &c : cases) {
        const QByteArray page = browserPage(c.title, c.folder, 2);
        EXPECT_TRUE(page.contains(c.titleInPage)) << c.title.toStdString();
        EXPECT_TRUE(page.contains(c.listInPage)) << c.folder.toStdString();
        EXPECT_EQ(page.count("</script>"), 1) << c.title.toStdString();
        EXPECT_FALSE(page.contains("@TITLE@"));
        EXPECT_FALSE(page.contains("http")) << "the page must not reach the network";
    }
}

TEST(ExportPlan, RefusesAPresentationNamedLikeItsBrowserPage)
{
    TempDataDir dir;
    EXPECT_EQ(refusedTarget(dir.file("out/p.html"), dir.path(), dir.file("View.pnn"), 0), QStringLiteral("p.html"));
    EXPECT_EQ(refusedTarget(dir.file("out/p.pnn"), dir.path(), dir.file("View.pnn"), 0), QString());
}
