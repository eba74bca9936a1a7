// Training numbers, live records and failure paths of the catalogue.

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "support/Fixtures.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(Catalogue, NumbersAreNeverReusedAfterADelete)
{
    TempDataDir dir;
    for (const char *name : {"A", "B", "C"})
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QString::fromLatin1(name), 0, 0}).has_value());
    ASSERT_TRUE(markTrainingDeleted(dir.path(), 1));
    const auto number = appendTrainingRecord(dir.path(), {QStringLiteral("D"), 1, 0});
    ASSERT_EQ(number, 3);
    ASSERT_TRUE(createTrainingFiles(dir.path(), *number));
    EXPECT_TRUE(fileExists(dir.file(QStringLiteral("Tree0003.pdl"))));
    EXPECT_EQ(readFile(dir.file(QStringLiteral("Data0003.pdl"))).size(), 0);

    std::vector<CatalogueEntry> entries;
    ASSERT_TRUE(readCatalogue(dir.path(), &entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_FALSE(entries[1].record.isLive());
    EXPECT_EQ(entries[1].record.deleted, -1);
    EXPECT_TRUE(entries[3].record.isLive());
    EXPECT_EQ(entries[3].record.type, 1);
}

TEST(Catalogue, AnyNonZeroDeletedFlagCountsAsDeleted)
{
    TempDataDir dir;
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("A"), 0, 1}).has_value());
    std::vector<CatalogueEntry> entries;
    ASSERT_TRUE(readCatalogue(dir.path(), &entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(entries[0].record.isLive());
}

TEST(Catalogue, MissingCatalogueIsCreatedByTheFirstAppend)
{
    TempDataDir dir;
    std::vector<CatalogueEntry> entries;
    EXPECT_FALSE(readCatalogue(dir.path(), &entries));
    EXPECT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("Pierwsze"), 0, 0}), 0);
    EXPECT_EQ(readFile(dir.file(kCatalogueName)).size(), 137);
}

TEST(Catalogue, PartialRecordAtTheEndIsIgnoredAndOverwrittenByAnAppend)
{
    TempDataDir dir;
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("A"), 0, 0}).has_value());
    QFile file(dir.file(kCatalogueName));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("garbage");
    file.close();
    std::vector<CatalogueEntry> entries;
    ASSERT_TRUE(readCatalogue(dir.path(), &entries));
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("B"), 0, 0}), 1);
    EXPECT_EQ(readFile(dir.file(kCatalogueName)).size(), 274);
}

TEST(Catalogue, RewriteKeepsTheNumberAndRefusesMissingRecords)
{
    TempDataDir dir;
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("A"), 0, 0}).has_value());
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("B"), 0, 0}).has_value());
    ASSERT_TRUE(rewriteTrainingRecord(dir.path(), 1, {QStringLiteral("Bis"), 4, 0}));
    TrainingRecord r;
    ASSERT_TRUE(readTrainingRecord(dir.path(), 1, &r));
    EXPECT_EQ(r.name, QStringLiteral("Bis"));
    EXPECT_EQ(r.type, 4);
    EXPECT_FALSE(rewriteTrainingRecord(dir.path(), 2, {QStringLiteral("C"), 0, 0}));
    EXPECT_FALSE(readTrainingRecord(dir.path(), 2, &r));
    EXPECT_FALSE(readTrainingRecord(dir.path(), -1, &r));
    EXPECT_FALSE(markTrainingDeleted(dir.path(), 5));
    EXPECT_EQ(readFile(dir.file(kCatalogueName)).size(), 274);
}

TEST(Catalogue, OnlyTheLastRecordCanBeTakenBack)
{
    TempDataDir dir;
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("A"), 0, 0}).has_value());
    const QByteArray one = readFile(dir.file(kCatalogueName));
    ASSERT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("B"), 2, 0}), 1);
    EXPECT_FALSE(takeBackTrainingRecord(dir.path(), 0));
    EXPECT_FALSE(takeBackTrainingRecord(dir.path(), 2));
    EXPECT_FALSE(takeBackTrainingRecord(dir.path(), -1));
    EXPECT_EQ(readFile(dir.file(kCatalogueName)).size(), 274);
    EXPECT_TRUE(takeBackTrainingRecord(dir.path(), 1));
    EXPECT_EQ(readFile(dir.file(kCatalogueName)), one);
    // The number is free again for the next training: nothing ever used it.
    EXPECT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("C"), 0, 0}), 1);
}
