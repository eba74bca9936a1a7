// Listing the framework topics: running indices, order, skipped entries.

#include "topics/ModuleLibrary.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(ModuleLibrary, TitlesSortWithPolishCollationAndEqualTitlesStay)
{
    std::vector<ModuleEntry> entries = {{"1.mdl", 0, QStringLiteral("Łączność")}, {"2.mdl", 1, QStringLiteral("Lampy")},
                                        {"3.mdl", 2, QStringLiteral("Mapy")},     {"4.mdl", 3, QStringLiteral("Lampy")},
                                        {"5.mdl", 4, QStringLiteral("ćwiczenia")}, {"6.mdl", 5, QStringLiteral("Cyrk")}};
    QStringList order;
    for (const ModuleEntry &e : sortedByTitle(entries))
        order << e.fileName;
    EXPECT_EQ(order, QStringList({"6.mdl", "5.mdl", "2.mdl", "4.mdl", "1.mdl", "3.mdl"}));
}

TEST(ModuleLibrary, UnreadableEntriesGetNoRunningIndex)
{
    TempDataDir dir;
    writeTopicFile(dir.file("a.mdl"), QStringLiteral("A"), {});
    QDir(dir.path()).mkdir(QStringLiteral("folder.mdl"));
    writeFile(dir.file("broken.mdl"), QByteArray::fromHex("FFFFFF7F")); // title longer than the file
    writeTopicFile(dir.file("b.MDL"), QStringLiteral("B"), {});
    writeTopicFile(dir.file("c.mdl.bak"), QStringLiteral("C"), {});
    const std::vector<ModuleEntry> found = discoverModules(dir.path());
    ASSERT_EQ(found.size(), 2u);
    QStringList titles;
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].runningIndex, static_cast<int>(i)); // no gaps
        titles << found[i].title;
    }
    titles.sort();
    EXPECT_EQ(titles, QStringList({"A", "B"}));
}

TEST(ModuleLibrary, EmptyOrMissingDirectoryListsNothing)
{
    TempDataDir dir;
    EXPECT_TRUE(discoverModules(dir.path()).empty());
    EXPECT_TRUE(discoverModules(dir.file("missing/")).empty());
}

TEST(ModuleLibrary, SeveralFoldersContinueTheRunningIndexAndKeepTheirPaths)
{
    TempDataDir shared;
    TempDataDir own;
    writeTopicFile(shared.file("a.mdl"), QStringLiteral("A"), {});
    writeTopicFile(shared.file("b.mdl"), QStringLiteral("B"), {});
    // The same file name in the user's folder is a topic of its own.
    writeTopicFile(own.file("a.mdl"), QStringLiteral("Własny"), {});
    const std::vector<ModuleEntry> found = discoverModules(QStringList{shared.path(), own.path()});
    ASSERT_EQ(found.size(), 3u);
    QStringList seen;
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].runningIndex, static_cast<int>(i));
        seen << found[i].title + QLatin1Char('=') + found[i].path();
    }
    seen.sort();
    EXPECT_EQ(seen, QStringList({"A=" + shared.file("a.mdl"), "B=" + shared.file("b.mdl"),
                                 QStringLiteral("Własny=") + own.file("a.mdl")}));
    // The shared folder is listed first: its entries take the low indices.
    EXPECT_EQ(found[2].dir, own.path());
}
