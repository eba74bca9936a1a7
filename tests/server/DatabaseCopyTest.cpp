// Moving a register with marbelo-tool: a data folder's file with demo
// questions, courses and certificates (one cancelled) copied to an empty
// server database and back into another folder's file, the first folder's
// file left as it was; the register lists the same everywhere, numbering
// goes on after the last number, and a target that is not empty is refused.

#include "courses/Register.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"
#include "support/ServerBackEnd.h"
#include "support/Tool.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

ToolResult tool(const QStringList &args)
{
    const ToolResult result = runTool(args);
    EXPECT_EQ(result.exitCode, 0) << args.join(QLatin1Char(' ')).toStdString() << ": " << result.err.toStdString();
    return result;
}

QStringList rowsOf(const QString &dataDir)
{
    db::Database database(db::Database::pathIn(dataDir));
    EXPECT_TRUE(database.open());
    return allRows(database);
}

} // namespace

TEST(DatabaseCopyTest, BothWaysKeepsTheRegister)
{
    const QString url = freshServerDatabase();
    ASSERT_FALSE(url.isEmpty());
    TempDataDir first;
    TempDataDir second;
    for (const TempDataDir *dir : {&first, &second})
        ASSERT_TRUE(appendTrainingRecord(dir->path(), {QStringLiteral("Okresowe biuro"), 5, 0}).has_value());
    writeFile(first.file("lista.csv"), QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia;Pracodawca;NIP\n"
                                                      "Łoś;Anna;02.03.1980;Łomża;Huta;5260250274\n"
                                                      "Lis;Piotr;1979-11-30;Wieś;;\n"
                                                      "Żak;Ewa;1990-01-01;Łódź;;\n")
                                           .toUtf8());
    const QString dir = first.path();
    tool({"questions", "import", dir, QStringLiteral(MARBELO_DEMO_DIR "/questions/Pytania.gift")});
    tool({"organiser", dir, "--name", "Ośrodek", "--address", "ul. Polna 1", "--place", "Wieś"});
    for (const char *day : {"2026-03-03", "2026-04-03"}) {
        tool({"course", "add", dir, "0", "--from", day, "--to", day, "--place", "Sala"});
    }
    for (const char *course : {"1", "2"}) {
        tool({"participants", dir, course, "--import", first.file("lista.csv"), "--pass-all"});
        tool({"certificates", dir, course, first.file("z.pdf"), "--issue"});
    }
    tool({"register", dir, "--cancel", "2/2026", "--reason", "błąd w dacie"});
    const QString listed = tool({"register", dir}).out;
    const QStringList rows = rowsOf(dir);
    ASSERT_EQ(listed.count(QLatin1Char('\n')), 6);

    // To the server, which the folder then uses; the folder's file is left as it was.
    const QByteArray file = readFile(db::Database::pathIn(dir));
    tool({"database", "copy", dir, "--to", url});
    EXPECT_EQ(readFile(db::Database::pathIn(dir)), file);
    tool({"database", "use", dir, url});
    EXPECT_EQ(tool({"database", dir}).out, url + QLatin1Char('\n'));
    EXPECT_EQ(tool({"register", dir}).out, listed);
    EXPECT_EQ(rowsOf(dir), rows);
    // From the server into the second folder's empty file; then both are targets that are not empty, refused.
    tool({"database", "copy", second.path(), "--from", url});
    EXPECT_EQ(tool({"register", second.path()}).out, listed);
    EXPECT_EQ(rowsOf(second.path()), rows);
    for (const QStringList &args : {QStringList{"database", "copy", second.path(), "--to", url},
                                    QStringList{"database", "copy", second.path(), "--from", url}}) {
        const ToolResult refused = runTool(args);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("nie jest pusta"))) << refused.err.toStdString();
    }
    EXPECT_EQ(tool({"register", dir}).out, listed);

    // Numbering goes on after the copied number on the server, ids after the copied ids.
    tool({"course", "add", dir, "0", "--from", "2026-05-04", "--to", "2026-05-04", "--place", "Sala"});
    tool({"participants", dir, "3", "--import", first.file("lista.csv"), "--pass-all"});
    tool({"certificates", dir, "3", first.file("z.pdf"), "--issue"});
    const QString after = tool({"register", dir}).out;
    EXPECT_TRUE(after.startsWith(listed));
    EXPECT_TRUE(after.mid(listed.size()).startsWith(QStringLiteral("7/2026\t"))) << after.toStdString();
    {
        db::Database database(db::Database::pathIn(dir));
        ASSERT_TRUE(database.open());
        int certificates = 0;
        EXPECT_EQ(registerProblem(database, &certificates), QString());
        EXPECT_EQ(certificates, 9);
    }
}
