// Hostile files and folders through marbelo-tool: links planted at every
// name a command writes, a link in the temporary folder, a folder as the
// name, outlines that loop, a device, a cut-off JPEG, odd names and titles.
// Nothing outside the target changes (contents, modes, links), a refused
// input ends with exit 1 and a Polish message, and no case runs over 10 s or
// 1 GB.

#include "support/Fixtures.h"
#include "support/PresentationData.h"
#include "support/SlideSources.h"
#include "support/Tool.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// Every entry under dir, links not followed: its kind, mode, link target and contents.
QStringList snapshot(const QString &dir)
{
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        QString entry = info.filePath() + QStringLiteral(" mode %1").arg(int(info.permissions()), 0, 16);
        if (info.isSymLink())
            entry += QStringLiteral(" link ") + info.symLinkTarget();
        else if (info.isFile())
            entry += QStringLiteral(" ") + QCryptographicHash::hash(readFile(info.filePath()), QCryptographicHash::Sha1).toHex();
        entries << entry;
    }
    entries.sort();
    return entries;
}

struct Places
{
    TempDataDir data;    // a training ready to export
    TempDataDir target;  // the folder the user chose
    TempDataDir outside; // someone else's files
    TempDataDir temp;    // the temporary folder of the run
};

struct HostileCase
{
    const char *name;
    std::function<void(Places &)> plant;
    std::function<QStringList(Places &)> args;
    int exitCode;
    QString says; // in the error output; empty for none
};

void link(const QString &target, const QString &at)
{
    ASSERT_TRUE(QFile::link(target, at)) << at.toStdString();
}

QStringList exportTo(Places &p, const QString &name)
{
    return {"export", p.data.path(), "0", p.target.file(name)};
}

QStringList importOf(Places &p, const QString &title, const QStringList &files)
{
    QStringList args = {"library", "import", p.target.file("t.mdl"), title};
    for (const QString &file : files)
        args << p.target.file(file);
    return args;
}

const QByteArray kLoopingNext = "/Next 6 0 R";

std::vector<HostileCase> cases()
{
    const auto linkToOutsideFile = [](const QString &name) {
        return [name](Places &p) { link(p.outside.file("notes.txt"), p.target.file(name)); };
    };
    const auto setHours = [](Places &p) { return QStringList{"programme", p.target.path(), "0", "--set", "1=4"}; };
    return {
        {"slides folder is a link to another folder",
         [](Places &p) { link(p.outside.path(), p.target.file("K-slajdy")); },
         [](Places &p) { return exportTo(p, "K.pnn"); }, 0, {}},
        {"presentation is a link", linkToOutsideFile("K.pnn"), [](Places &p) { return exportTo(p, "K.pnn"); }, 0, {}},
        {"browser page is a link", linkToOutsideFile("K.html"), [](Places &p) { return exportTo(p, "K.pnn"); }, 0, {}},
        {"player is a link", linkToOutsideFile("Start.exe"), [](Places &p) { return exportTo(p, "K.pnn"); }, 0, {}},
        {"Autorun.inf is a link", linkToOutsideFile("Autorun.inf"), [](Places &p) { return exportTo(p, "K.pnn"); }, 0,
         {}},
        {"PDF is a link", linkToOutsideFile("K.pdf"),
         [](Places &p) { return QStringList{"pdf", p.data.path(), "0", p.target.file("K.pdf")}; }, 0, {}},
        {"course register CSV is a link",
         [=](Places &p) {
             linkToOutsideFile("K.csv")(p);
             runTool({"register", p.data.path()}); // the course database made beforehand
         },
         [](Places &p) { return QStringList{"register", p.data.path(), p.target.file("K.csv")}; }, 0, {}},
        {"question bank export is a link",
         [=](Places &p) {
             linkToOutsideFile("K.gift")(p);
             runTool({"register", p.data.path()});
         },
         [](Places &p) { return QStringList{"questions", "export", p.data.path(), p.target.file("K.gift")}; }, 0, {}},
        {"imported topic is a link",
         [](Places &p) {
             link(p.outside.file("notes.txt"), p.target.file("t.mdl"));
             writeFile(p.target.file("a.jpg"), makeJpeg(16, 16));
         },
         [](Places &p) { return importOf(p, "T", {"a.jpg"}); }, 0, {}},
        {"extracted slide is a link",
         [](Places &p) {
             QDir(p.target.path()).mkdir("x");
             link(p.outside.file("notes.txt"), p.target.file("x/slide-0001.jpg"));
         },
         [](Places &p) { return QStringList{"extract", p.data.file("Data0000.pdl"), p.target.file("x")}; }, 0, {}},
        {"outline is a link (to an outside copy of it)",
         [](Places &p) {
             writeTrainingData(p.target.path(), QStringLiteral("Szkolenie"), 2);
             ASSERT_TRUE(QFile::rename(p.target.file("Tree0000.pdl"), p.outside.file("Tree0000.pdl")));
             link(p.outside.file("Tree0000.pdl"), p.target.file("Tree0000.pdl"));
         },
         setHours, 0, {}},
        {"programme file is a link",
         [=](Places &p) {
             writeTrainingData(p.target.path(), QStringLiteral("Szkolenie"), 2);
             linkToOutsideFile("Plan0000.pdl")(p);
         },
         setHours, 0, {}},
        {"library build output is a link",
         [=](Places &p) {
             writeFile(p.target.file("t.txt"), "Tytuł\n");
             linkToOutsideFile("L.mdl")(p);
         },
         [](Places &p) { return QStringList{"library", "build", p.target.file("t.txt"), p.target.file("L.mdl")}; }, 0,
         {}},
        {"front build output is a link",
         [=](Places &p) {
             writeFile(p.target.file("a.jpg"), makeJpeg(16, 16));
             linkToOutsideFile("F.fdl")(p);
         },
         [](Places &p) { return QStringList{"front", "build", p.target.file("F.fdl"), p.target.file("a.jpg")}; }, 0,
         {}},
        {"work file in the temporary folder is a link",
         [](Places &p) { link(p.outside.file("notes.txt"), p.temp.file("View.pnn")); },
         [](Places &p) { return exportTo(p, "K.pnn"); }, 0, {}},
        {"a folder as the name", [](Places &p) { QDir(p.target.path()).mkdir("K.pnn"); },
         [](Places &p) { return exportTo(p, "K.pnn"); }, 1, QStringLiteral("jest to folder")},
        {"a name ending in a separator", [](Places &) {}, [](Places &p) { return exportTo(p, "K/"); }, 1,
         QStringLiteral("jest to folder")},
        {"a name going up", [](Places &p) { QDir(p.target.path()).mkdir("sub"); },
         [](Places &p) { return QStringList{"pdf", p.data.path(), "0", p.target.file("sub/..")}; }, 1,
         QStringLiteral("jest to folder")},
        {"a topic file of the data folder as the PDF", [](Places &p) { writeFile(p.data.file("Moje.mdl"), "topic"); },
         [](Places &p) { return QStringList{"pdf", p.data.path(), "0", p.data.file("Moje.mdl")}; }, 1,
         QStringLiteral("tego pliku używa program")},
        {"bookmarks whose /Next loops",
         [](Places &p) { writeFile(p.target.file("c.pdf"), pdfWithOutline({kLoopingNext, "/Next 5 0 R"})); },
         [](Places &p) { return importOf(p, "T", {"c.pdf"}); }, 0, {}},
        {"a bookmark that is its own /First",
         [](Places &p) { writeFile(p.target.file("c.pdf"), pdfWithOutline({"/First 5 0 R"})); },
         [](Places &p) { return importOf(p, "T", {"c.pdf"}); }, 0, {}},
        {"bookmarks that unfold without end",
         [](Places &p) {
             std::vector<QByteArray> items;
             for (int i = 0; i < 60; ++i)
                 items.push_back("/First " + QByteArray::number(i + 6) + " 0 R /Next " + QByteArray::number(i + 6) + " 0 R");
             items.push_back({});
             writeFile(p.target.file("c.pdf"), pdfWithOutline(items));
         },
         [](Places &p) { return importOf(p, "T", {"c.pdf"}); }, 0, {}},
        {"a device", [](Places &) {}, [](Places &p) { return QStringList{"library", "import", p.target.file("t.mdl"), "T", "/dev/zero"}; },
         1, QStringLiteral("„zero”: to nie jest zwykły plik")},
        {"a cut-off JPEG", [](Places &p) {
             const QByteArray jpeg = makeJpeg(400, 300);
             writeFile(p.target.file("cut.jpg"), jpeg.left(jpeg.size() * 2 / 3));
         },
         [](Places &p) { return importOf(p, "T", {"cut.jpg"}); }, 1, QStringLiteral("„cut.jpg” jest uszkodzony")},
        {"a title of control characters only", [](Places &p) { writeFile(p.target.file("a.jpg"), makeJpeg(16, 16)); },
         [](Places &p) { return importOf(p, "\t\n", {"a.jpg"}); }, 1, QStringLiteral("Tytuł tematu nie może być pusty")},
    };
}

} // namespace

TEST(HostileTool, NothingOutsideTheTargetChangesAndNoInputHangs)
{
    for (const HostileCase &c : cases()) {
        SCOPED_TRACE(c.name);
        Places p;
        writeTrainingData(p.data.path(), QStringLiteral("Szkolenie"), 2);
        writeFile(p.outside.file("notes.txt"), "someone else's notes");
        writeFile(p.outside.file(".hidden"), "hidden");
        QDir(p.outside.path()).mkdir("sub");
        writeFile(p.outside.file("sub/deep.txt"), "deep");
        QFile::setPermissions(p.outside.file("notes.txt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        c.plant(p);
        const QStringList outside = snapshot(p.outside.path());
        const QStringList temp = snapshot(p.temp.path());
        const QStringList target = snapshot(p.target.path());
        const QStringList data = snapshot(p.data.path());

        const ToolResult result = runToolBounded(c.args(p), {"TMPDIR=" + p.temp.path()});

        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.says)) << result.err.toStdString();
        EXPECT_EQ(snapshot(p.outside.path()), outside);
        EXPECT_EQ(snapshot(p.temp.path()), temp);
        EXPECT_EQ(snapshot(p.data.path()), data);
        if (c.exitCode != 0) {
            EXPECT_EQ(snapshot(p.target.path()), target);
            continue;
        }
        // Links at the names written were replaced, not written through.
        for (const char *name : {"K.pnn", "K.html", "Start.exe", "Autorun.inf", "K.pdf", "K.csv", "K.gift", "t.mdl",
                                 "K-slajdy", "Tree0000.pdl", "Plan0000.pdl", "L.mdl", "F.fdl"})
            EXPECT_FALSE(QFileInfo(p.target.file(name)).isSymLink()) << name;
    }
}

TEST(HostileTool, LoopingBookmarksAndOddNamesGiveSingleLineSlideNames)
{
    TempDataDir dir;
    writeFile(dir.file("c.pdf"), pdfWithOutline({"/Next 6 0 R", "/Next 5 0 R"}));
    writeFile(dir.file("a\tb\nc.jpg"), makeJpeg(16, 16));
    ASSERT_EQ(runToolBounded({"library", "import", dir.file("t.mdl"), "Ty\ttuł", dir.file("c.pdf"),
                              dir.file("a\tb\nc.jpg")})
                  .exitCode,
              0);
    const QStringList lines = runTool({"library", "dump", dir.file("t.mdl")}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Ty tuł"));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\tSlajd 1"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\ta b c"))) << lines[2].toStdString();
}
