// marbelo-tool library import: a deck and a picture into one topic file, and
// bad input refused with exit 1, a message naming the file and no file written.

#include "support/Fixtures.h"
#include "support/SlideSources.h"
#include "support/Tool.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(ImportTool, DeckAndPictureBecomeOneTopicFile)
{
    TempDataDir dir;
    writePdf(dir.file("deck.pdf"), 2, {{QStringLiteral("Wstep"), 0, 0}});
    writeFile(dir.file("hala.jpg"), makeJpeg(32, 24));
    const ToolResult result = runTool({"library", "import", dir.file("out.mdl"), QStringLiteral("Własne slajdy"),
                                       dir.file("deck.pdf"), dir.file("hala.jpg")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const ToolResult dump = runTool({"library", "dump", dir.file("out.mdl")});
    ASSERT_EQ(dump.exitCode, 0);
    const QStringList lines = dump.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Własne slajdy"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0\t0x")) && lines[1].endsWith(QStringLiteral("\tWstep")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("1\t0x")) && lines[2].endsWith(QStringLiteral("\tSlajd 2")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("0\t0x")) && lines[3].endsWith(QStringLiteral("\thala")));
    ASSERT_EQ(runTool({"extract", dir.file("out.mdl"), dir.file("x")}).exitCode, 0);
    EXPECT_EQ(readFile(dir.file("x/slide-0003.jpg")), makeJpeg(32, 24)); // kept as it is
}

TEST(ImportTool, BadInputFailsWithAMessageAndNoFile)
{
    TempDataDir dir;
    writeFile(dir.file("tekst.png"), "no picture");
    writeFile(dir.file("ok.png"), pictureBytes(8, 8, "PNG"));
    const struct
    {
        QStringList args;
        int exitCode;
        QString says;
    } cases[] = {
        {{"library", "import", dir.file("out.mdl"), "T", dir.file("ok.png"), dir.file("tekst.png")}, 1,
         QStringLiteral("„tekst.png” nie jest obrazem")},
        {{"library", "import", dir.file("out.mdl"), "T ☃", dir.file("ok.png")}, 1, QStringLiteral("Windows-1250")},
        {{"library", "import", dir.file("out.mdl"), "T"}, 2, QStringLiteral("usage:")},
    };
    for (const auto &c : cases) {
        const ToolResult result = runTool(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.says)) << result.err.toStdString();
        EXPECT_FALSE(fileExists(dir.file("out.mdl")));
    }
}
