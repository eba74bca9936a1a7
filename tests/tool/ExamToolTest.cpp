// marbelo-tool questions and exam: from a GIFT file to the protocol, with
// the sheets' text read back by pdftotext and checked against the key.

#include "trainings/OutlineTree.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/db/Database.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>

#include <functional>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Eight questions on fire, six on first aid; the right answer says "dobra".
QByteArray bankGift()
{
    QString gift = QStringLiteral("$CATEGORY: Ochrona przeciwpożarowa/Gaśnice\n\n");
    for (int i = 1; i <= 14; ++i) {
        if (i == 9)
            gift += QStringLiteral("$CATEGORY: Pierwsza pomoc\n\nPrawda? {T}\n\n");
        gift += QStringLiteral("::P%1::Pytanie nr %1\\: które? {\n~zła %1 x\n=dobra %1\n~zła %1 y\n%2}\n\n")
                    .arg(i)
                    .arg(i % 2 ? QStringLiteral("~zła %1 z\n").arg(i) : QString());
    }
    return gift.toUtf8();
}

class ExamToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Okresowe"), 2, 0}).has_value());
        writeTopicFile(dir.file("Ppoz.mdl"), QStringLiteral("Ochrona przeciwpożarowa"),
                       {topicRecord("0", "1", "0", QStringLiteral("Gaśnice"))});
        writeTopicFile(dir.file("Pomoc.mdl"), QStringLiteral("Pierwsza pomoc"),
                       {topicRecord("0", "1", "0", QStringLiteral("RKO"))});
        writeTopicFile(dir.file("Inny.mdl"), QStringLiteral("Ergonomia"), {topicRecord("0", "1", "0", QStringLiteral("Krzesło"))});
        OutlineTree tree = OutlineTree::fromRecords({{QStringLiteral("Pożary"), 0, kHeadingFlag, PlannedHours{8, 0}},
                                                     {QStringLiteral("Gaśnice"), 1, 0, std::nullopt},
                                                     {QStringLiteral("Pierwsza pomoc"), 0, kHeadingFlag, PlannedHours{4, 0}}});
        QString error;
        ASSERT_TRUE(tree.save(dir.file(outlineFileName(0)), &error)) << error.toStdString();
        writeFile(dir.file("bank.gift"), bankGift());
        writeFile(dir.file("lista.csv"), QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia\n"
                                                        "Łoś;Anna;02.03.1980;Łomża\nLis;Piotr;1979-11-30;Wieś\n")
                                             .toUtf8());
    }

    ToolResult run(QStringList args)
    {
        const bool twoWords = args[0] == QLatin1String("questions") || args[0] == QLatin1String("course");
        args.insert(twoWords ? 2 : 1, dir.path());
        return runTool(args);
    }

    TempDataDir dir;
};

TEST_F(ExamToolTest, FromGiftToProtocol)
{
    ToolResult r = run({"questions", "import", dir.file("bank.gift")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("wiersz 57"))) << r.err.toStdString();
    ASSERT_EQ(run({"questions", "export", dir.file("out.gift")}).exitCode, 0);
    EXPECT_EQ(readFile(dir.file("out.gift")).count("\n::P"), 14);

    ASSERT_EQ(run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-03", "--place", "Sala"}).exitCode, 0);
    ASSERT_EQ(run({"participants", "1", "--import", dir.file("lista.csv")}).exitCode, 0);
    r = run({"exam", "1", "--draw", "15", "--variants", "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("14"))) << r.err.toStdString();
    r = run({"exam", "1", "--draw", "6", "--variants", "3", "--seed", "5", "--commission", "Anna Kowal;Jan Bury"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString key = run({"exam", "1", "--key", "-"}).out;
    ASSERT_EQ(key.count(u'\n'), 18) << key.toStdString();
    EXPECT_EQ(run({"exam", "1", "--draw", "6", "--variants", "3", "--seed", "5"}).exitCode, 0);
    EXPECT_EQ(run({"exam", "1", "--key", "-"}).out, key);

    // Every variant: the same six questions, four on fire (twice the hours);
    // the key's letter is the sheet's right answer.
    ASSERT_EQ(run({"exam", "1", "--sheets", dir.file("s.pdf")}).exitCode, 0);
    const QString sheets = pdfText(dir.file("s.pdf"));
    const QStringList pages = sheets.split(QStringLiteral("Test egzaminacyjny – wariant "), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3) << sheets.toStdString();
    const QStringList keyLines = key.split(u'\n', Qt::SkipEmptyParts);
    QStringList firstSet;
    for (int v = 0; v < 3; ++v) {
        QStringList numbers;
        const QRegularExpression question(QStringLiteral("(\\d+)\\. Pytanie nr (\\d+): które\\?"));
        for (auto it = question.globalMatch(pages[v]); it.hasNext();)
            numbers << it.next().captured(2);
        ASSERT_EQ(numbers.size(), 6) << pages[v].toStdString();
        EXPECT_EQ(std::count_if(numbers.begin(), numbers.end(), [](const QString &n) { return n.toInt() <= 8; }), 4);
        for (int i = 0; i < 6; ++i) {
            const QRegularExpression right(QStringLiteral("([A-D])\\. dobra %1\\b").arg(numbers[i]));
            const QString letter = right.match(pages[v]).captured(1);
            EXPECT_EQ(keyLines[v * 6 + i], QStringLiteral("%1\t%2\t%3").arg(QChar(u'A' + v)).arg(i + 1).arg(letter));
        }
        QStringList sorted = numbers;
        sorted.sort();
        if (v == 0)
            firstSet = sorted;
        EXPECT_EQ(sorted, firstSet);
    }

    // Anna answers variant B by the key, Piotr leaves variant A empty.
    QString letters;
    for (int i = 6; i < 12; ++i)
        letters += keyLines[i].back();
    writeFile(dir.file("odp.txt"), QStringLiteral("łoś;anna;B;%1\nLis;Piotr;D;ABCABC\n").arg(letters).toUtf8());
    r = run({"exam", "1", "--answers", dir.file("odp.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("wiersz 2"))) << r.err.toStdString();
    EXPECT_EQ(run({"exam", "1", "--results"}).out, QStringLiteral("Lis Piotr\t\t\t\t0\nŁoś Anna\t\t\t\t0\n"));
    writeFile(dir.file("odp.txt"), QStringLiteral("łoś;anna;B;%1\nLis;Piotr;a;------\n").arg(letters).toUtf8());
    ASSERT_EQ(run({"exam", "1", "--answers", dir.file("odp.txt")}).exitCode, 0);
    EXPECT_EQ(run({"exam", "1", "--results"}).out, QStringLiteral("Lis Piotr\tA\t0\t0\t0\nŁoś Anna\tB\t6\t100\t1\n"));

    ASSERT_EQ(run({"exam", "1", "--protocol", dir.file("p.pdf"), "--key", dir.file("k.pdf")}).exitCode, 0);
    const QString protocol = pdfText(dir.file("p.pdf"));
    for (const QString &expected : {QStringLiteral("Protokół egzaminu"), QStringLiteral("Anna Kowal – przewodniczący"),
                                    QStringLiteral("Łoś Anna B 6/6 100% zdał(a)"), QStringLiteral("Lis Piotr A 0/6 0% nie zdał(a)"),
                                    QStringLiteral("przystąpiło: 2, zdało: 1, nie zdało: 1")})
        EXPECT_TRUE(protocol.contains(expected)) << expected.toStdString() << "\n" << protocol.toStdString();
    EXPECT_TRUE(pdfText(dir.file("k.pdf")).contains(QStringLiteral("Klucz odpowiedzi")));
}

// A stored result decides who passed and so who gets a register number: the
// record's rules, command by command, on one course of three. Anna answers
// four of six right (passed at 60%), Piotr none, Ewa sits no exam.
TEST_F(ExamToolTest, AResultDecidesWhoGetsACertificate)
{
    writeFile(dir.file("lista.csv"), QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia\n"
                                                    "Łoś;Anna;02.03.1980;Łomża\nLis;Piotr;1979-11-30;Wieś\n"
                                                    "Kos;Ewa;1985-05-05;Wieś\n")
                                         .toUtf8());
    ASSERT_EQ(run({"questions", "import", dir.file("bank.gift")}).exitCode, 0);
    ASSERT_EQ(run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-03", "--place", "Sala"}).exitCode, 0);
    ASSERT_EQ(run({"participants", "1", "--import", dir.file("lista.csv")}).exitCode, 0);
    ASSERT_EQ(run({"exam", "1", "--draw", "6", "--variants", "1", "--seed", "3"}).exitCode, 0);
    const QStringList key = run({"exam", "1", "--key", "-"}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(key.size(), 6);
    QString letters;
    for (const QString &line : key)
        letters += letters.size() < 4 ? line.back() : u'-';
    writeFile(dir.file("odp.txt"), QStringLiteral("Łoś;Anna;A;%1\nLis;Piotr;A;------\n").arg(letters).toUtf8());
    ASSERT_EQ(run({"exam", "1", "--answers", dir.file("odp.txt")}).exitCode, 0);
    ASSERT_EQ(run({"organiser", "--name", "Ośrodek", "--address", "ul. Polna 1", "--place", "Wieś"}).exitCode, 0);
    // The old program's fault: Piotr marked passed by hand over his failed result.
    const auto markPiotrPassed = [this] {
        db::Database database(db::Database::pathIn(dir.path()));
        ASSERT_TRUE(database.open());
        ASSERT_TRUE(database.write([](QSqlQuery &q, QString *) {
            return db::run(q, QStringLiteral("UPDATE participant SET passed = 1 WHERE surname = 'Lis'"));
        }));
    };
    struct Row
    {
        const char *what;
        std::function<void()> before;
        QStringList args;
        int exitCode;
        QString expected; // in the output or the error output
    };
    const QString year = QStringLiteral("2026"); // of the course's last day, the date proposed
    const Row rows[] = {
        {"a hand pass over a failed result is refused by name", {}, {"participants", "1", "--pass-all"}, 1,
         QStringLiteral("Piotr Lis (0 pkt)")},
        {"the others are marked: a stored result decides", {}, {"participants", "1"}, 0,
         QStringLiteral("Piotr\tLis\t1979-11-30\tWieś\t\t0")},
        {"a pass without an exam gets a number, a failed result none", {}, {"certificates", "1", dir.file("z.pdf"), "--issue"},
         0, QString()},
        {"", {}, {"register"}, 0, QStringLiteral("1/%1\tEwa Kos").arg(year)},
        {"", {}, {"register"}, 0, QStringLiteral("2/%1\tAnna Łoś").arg(year)},
        {"a pass mark that fails a certificate holder is refused", {}, {"exam", "1", "--pass-mark", "80"}, 1,
         QStringLiteral("Anna Łoś (nr 2/%1)").arg(year)},
        {"flags that disagree are reported at opening", markPiotrPassed, {"courses"}, 0,
         QStringLiteral("uczestnik Piotr Lis jest oznaczony jako „zaliczył”")},
        {"and the result still decides", {}, {"certificates", "1", dir.file("z.pdf"), "--issue"}, 0, QString()},
        {"", {}, {"courses"}, 0, QStringLiteral("\t3\t2\n")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what + (" " + row.args.join(u' ').toStdString()));
        if (row.before)
            row.before();
        const ToolResult r = run(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err.toStdString();
        EXPECT_TRUE((r.out + r.err).contains(row.expected)) << (r.out + r.err).toStdString();
    }
}

// The import's report adds how many questions had HTML taken out, when any did.
TEST_F(ExamToolTest, ImportTellsOfHtmlTakenOut)
{
    const struct
    {
        const char *gift;
        int markup;
    } rows[] = {
        {"$CATEGORY: Ergonomia\n\nE? {=<i>a</i> ~b ~c}\n\n[html]F? {=a ~b ~c}\n", 0},
        {"$CATEGORY: Ergonomia\n\n[html]<p>A?</p> {=a ~b ~c}\n\n[html]B &amp; C? {=a ~b ~c}\n\nD? {=a ~[html]b<br> ~c}\n", 3},
    };
    for (const auto &row : rows) {
        writeFile(dir.file("html.gift"), QByteArray(row.gift));
        const ToolResult r = run({"questions", "import", dir.file("html.gift")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), row.markup ? 2 : 1) << r.out.toStdString();
        EXPECT_TRUE(!row.markup || lines[1].contains(QStringLiteral(" %1.").arg(row.markup))) << r.out.toStdString();
    }
}

} // namespace

TEST_F(ExamToolTest, ScormRefusalsLeaveTheTargetAsItWas)
{
    ASSERT_EQ(run({"questions", "import", dir.file("bank.gift")}).exitCode, 0);
    const QString zip = dir.file("pakiet.zip");
    writeFile(zip, "dawny");
    const QByteArray outline = readFile(dir.file(outlineFileName(0)));
    const struct
    {
        QStringList args;
        int exitCode;
        QString target;
    } rows[] = {
        {{"--questions", "x"}, 2, zip},
        {{"--questions", "0"}, 1, zip},
        {{"--pass-mark", "101"}, 1, zip},
        {{"--questions", "15"}, 1, zip},            // the bank holds 14 for the outline's topics
        {{"--questions", "6"}, 1, zip},             // the training has no slides
        {{}, 1, dir.file(outlineFileName(0))},       // a file the program uses
    };
    for (const auto &row : rows) {
        const ToolResult r = run(QStringList{"scorm", "0", row.target} + row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(readFile(zip), "dawny");
        EXPECT_EQ(readFile(dir.file(outlineFileName(0))), outline);
    }
}
