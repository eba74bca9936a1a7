// marbelo-tool programme: the TSV, hours and form set from a script through
// the window's own saves, and the programme PDF's text as pdftotext reads it.

#include "trainings/OutlineTree.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class ProgrammeToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Magazyn – żółw"), 2, 0}).has_value());
        QString error;
        ASSERT_TRUE(OutlineTree::fromRecords({{QStringLiteral("Wstęp źdźbła"), 0, 0x40000000},
                                              {QStringLiteral("Ocena ryzyka zawodowego"), 1, 0},
                                              {QStringLiteral("Slajd"), 2, 0x10},
                                              {QStringLiteral("Ćwiczenia ŁĄŚ"), 1, 0},
                                              {QStringLiteral("Pierwsza pomoc"), 0, 0x40000000}})
                        .save(dir.file(outlineFileName(0)), &error));
    }
    ToolResult programme(QStringList args) { return runTool(QStringList{"programme", dir.path(), "0"} + args); }

    TempDataDir dir;
};

} // namespace

TEST_F(ProgrammeToolTest, SetsHoursAndFormAndPrintsTheTable)
{
    EXPECT_EQ(programme({}).out.split(QLatin1Char('\n')).at(4), QStringLiteral("RAZEM\t0\t8"));
    const QByteArray outline = readFile(dir.file(outlineFileName(0)));
    const ToolResult set = programme({"--set", "1.1=2", "1.2=0.5+0.25", "2=1,75", "--form", "seminarium"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(readFile(dir.file(outlineFileName(0))), outline); // the outline keeps its bytes
    EXPECT_EQ(OutlineTree::load(dir.file(outlineFileName(0))).form(), TrainingForm::Seminar);
    const ToolResult table = programme({});
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_EQ(table.out, QStringLiteral("1.\t0\tWstęp źdźbła\t2.5\t0.25\t2.75\n"
                                        "1.1\t1\tOcena ryzyka zawodowego\t2\t0\t2\n"
                                        "1.2\t1\tĆwiczenia ŁĄŚ\t0.5\t0.25\t0.75\n"
                                        "2.\t0\tPierwsza pomoc\t1.75\t0\t1.75\n"
                                        "RAZEM\t4.5\t8\n"));
    // "-" takes a heading's own hours away again.
    ASSERT_EQ(programme({"--set", "2=-"}).exitCode, 0);
    EXPECT_TRUE(programme({}).out.endsWith(QStringLiteral("RAZEM\t2.75\t8\n")));

    struct Refused
    {
        QStringList args;
        int exitCode;
    };
    const Refused refused[] = {
        {{"--set", "9=1"}, 1},          {{"--set", "1=0.3"}, 2},     {{"--form", "wykład"}, 2},
        {{"--set"}, 2},                 {{"--form"}, 2},             {{"--set", "1=1", "out.pdf"}, 2},
    };
    const QByteArray plan = readFile(dir.file(programmeFileName(0)));
    for (const Refused &r : refused) {
        SCOPED_TRACE(r.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(programme(r.args).exitCode, r.exitCode);
        EXPECT_EQ(readFile(dir.file(programmeFileName(0))), plan);
    }
    EXPECT_EQ(runTool({"programme", dir.path(), "5"}).exitCode, 1); // no such training
}

TEST_F(ProgrammeToolTest, ThePdfPrintsEveryHeadingAndNumberInPolish)
{
    ASSERT_EQ(programme({"--set", "1.1=2", "1.2=0.5+0.25", "2=1,75", "--form", "instruktaż"}).exitCode, 0);
    const QString pdf = dir.file("program.pdf");
    const ToolResult written = programme({pdf});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    for (const QString &expected :
         {trainingTypeName(2), QStringLiteral("Magazyn – żółw"), QStringLiteral("Forma szkolenia: instruktaż"),
          QStringLiteral("1. Wstęp źdźbła 2,5 0,25 2,75"), QStringLiteral("1.1 Ocena ryzyka zawodowego 2 0 2"),
          QStringLiteral("1.2 Ćwiczenia ŁĄŚ 0,5 0,25 0,75"), QStringLiteral("2. Pierwsza pomoc 1,75 0 1,75"),
          QStringLiteral("Razem 4,25 0,25 4,5"), QStringLiteral("Minimalna liczba godzin dla tego rodzaju szkolenia: 8")})
        EXPECT_TRUE(page.contains(expected)) << expected.toStdString() << "\n" << page.toStdString();
    // A PDF that cannot be written leaves nothing behind and is reported.
    EXPECT_EQ(programme({dir.file("missing/program.pdf")}).exitCode, 1);
}
