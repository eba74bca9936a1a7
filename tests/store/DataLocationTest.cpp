// The data location decided at start: which folder holds what, in a build
// folder, a copied program folder and a package's layout.

#include "store/DataFiles.h"
#include "store/DataLocation.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// A package's layout under root: bin/ for the program, share/marbelo and lib/marbelo.
struct PackageLayout
{
    TempDataDir root;
    QString program = root.file("usr/bin/");
    QString shared = root.file("usr/share/marbelo/");
    QString player = root.file("usr/lib/marbelo/");
    QString user = root.file("home/.local/share/marbelo/");

    PackageLayout()
    {
        for (const QString &dir : {program, shared, player})
            QDir().mkpath(dir);
        writeFile(shared + kFrontPageName, "front");
    }
};

} // namespace

TEST(DataLocation, DecisionByWhatTheProgramFolderHolds)
{
    struct Case
    {
        const char *name;
        bool catalogueBesideProgram;
        bool frontPageBesideProgram;
        bool sharedFrontPage;
        DataLocation::Mode expected;
    } cases[] = {
        {"build folder: front page and catalogue", true, true, false, DataLocation::Mode::Portable},
        {"copied program folder without a catalogue yet", false, true, false, DataLocation::Mode::Portable},
        {"bare writable folder", false, false, false, DataLocation::Mode::Portable},
        {"package layout, even when writable", false, false, true, DataLocation::Mode::Installed},
        {"package layout with a catalogue beside the program", true, false, true, DataLocation::Mode::Portable},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PackageLayout layout;
        if (!c.sharedFrontPage)
            QFile::remove(layout.shared + kFrontPageName);
        if (c.catalogueBesideProgram)
            writeFile(layout.program + kCatalogueName, QByteArray());
        if (c.frontPageBesideProgram)
            writeFile(layout.program + kFrontPageName, "front");
        const DataLocation location = DataLocation::decide(layout.program, layout.user);
        EXPECT_EQ(location.mode(), c.expected);
        const QString data = c.expected == DataLocation::Mode::Portable ? layout.program : layout.user;
        EXPECT_EQ(location.dataDir(), data);
    }
}

TEST(DataLocation, UnwritableProgramFolderWithoutCatalogueIsInstalled)
{
    // A folder where no file can be made (here: one that does not exist).
    PackageLayout layout;
    const DataLocation location = DataLocation::decide(layout.root.file("missing/bin/"), layout.user);
    EXPECT_EQ(location.mode(), DataLocation::Mode::Installed);
    EXPECT_EQ(location.dataDir(), layout.user);
}

TEST(DataLocation, InstalledModeReadsSharedFilesAndKeepsTheUsersOwn)
{
    PackageLayout layout;
    const DataLocation location = DataLocation::decide(layout.program, layout.user);
    EXPECT_EQ(location.libraryDirs(), QStringList({layout.shared, layout.user}));
    EXPECT_EQ(location.frontPagePath(), layout.shared + kFrontPageName);
    EXPECT_EQ(location.helpPath(), layout.shared + QStringLiteral("TarvixHelp.html"));
    EXPECT_EQ(location.playerDir(), layout.player);

    const DataLocation portable = DataLocation::portable(layout.program);
    EXPECT_EQ(portable.libraryDirs(), QStringList({layout.program}));
    EXPECT_EQ(portable.frontPagePath(), layout.program + kFrontPageName);
    EXPECT_EQ(portable.playerDir(), layout.program);
}

TEST(DataLocation, FirstInstalledStartMakesTheFolderAndAnEmptyCatalogueOnce)
{
    PackageLayout layout;
    const DataLocation location = DataLocation::decide(layout.program, layout.user);
    QString error;
    ASSERT_TRUE(location.prepare(&error)) << error.toStdString();
    EXPECT_EQ(readFile(layout.user + kCatalogueName), QByteArray());
    EXPECT_EQ(QDir(layout.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({kCatalogueName}));

    // A later start keeps the trainings.
    writeFile(layout.user + kCatalogueName, trainingRecordBytes(QStringLiteral("BHP"), 1));
    ASSERT_TRUE(location.prepare(&error));
    EXPECT_EQ(readFile(layout.user + kCatalogueName), trainingRecordBytes(QStringLiteral("BHP"), 1));
    // Portable mode makes nothing.
    const DataLocation portable = DataLocation::portable(layout.root.file("elsewhere/"));
    EXPECT_TRUE(portable.prepare(&error));
    EXPECT_FALSE(QFileInfo::exists(layout.root.file("elsewhere")));
}

TEST(DataLocation, DataFolderThatCannotBeMadeIsReported)
{
    PackageLayout layout;
    QDir().mkpath(layout.root.file("home/.local/share"));
    writeFile(layout.root.file("home/.local/share/marbelo"), "a file in the way");
    const DataLocation location = DataLocation::decide(layout.program, layout.user);
    QString error;
    EXPECT_FALSE(location.prepare(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("nie można utworzyć folderu"))) << error.toStdString();
}

TEST(DataLocation, ALinkAsTheCatalogueIsReplacedNotWrittenThrough)
{
    // A link left where the first start makes the catalogue, pointing out of the data folder.
    PackageLayout layout;
    QDir().mkpath(layout.user);
    const QString outside = layout.root.file("elsewhere.pdl");
    ASSERT_TRUE(QFile::link(outside, layout.user + kCatalogueName));
    QString error;
    ASSERT_TRUE(DataLocation::decide(layout.program, layout.user).prepare(&error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo(layout.user + kCatalogueName).isSymLink());
    EXPECT_EQ(readFile(layout.user + kCatalogueName), QByteArray());
    EXPECT_FALSE(QFileInfo::exists(outside));
}
