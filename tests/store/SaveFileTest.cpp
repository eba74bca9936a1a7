// Temporaries of saves cut off by a crash are cleared by the next save of the
// same file, and nothing else is.

#include "store/Outline.h"
#include "store/SaveFile.h"
#include "support/Fixtures.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(SaveFile, TheNextSaveClearsOnlyItsOwnStaleTemporaries)
{
    TempDataDir dir;
    const QStringList stale{"Tree0000.pdl.AbC123", "Tree0000.pdl.HAfraU"};
    // A hand-made copy, other lengths and characters, another file's temporary.
    const QStringList kept{"Tree0000.pdl.kopia1", "Tree0000.pdl.Ab-c12", "Tree0000.pdl.bak",
                           "Tree0000.pdl.AbC1234", "Tree0001.pdl.AbC123", "Tree0000.pdl"};
    for (const QString &name : stale + kept)
        writeFile(dir.file(name), "x");
    QString error;
    ASSERT_TRUE(saveOutline(dir.file("Tree0000.pdl"), {{QStringLiteral("Rozdział"), 0, 0}}, &error));
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(readFile(dir.file("Tree0000.pdl")).size(), 137);
}
