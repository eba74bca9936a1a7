// marbelo-tool's course commands: the trainer's road from the command line,
// and a table of refused inputs (exit 1, Polish message) and wrong usages
// (exit 2).

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "courses/Courses.h"
#include "courses/Register.h"
#include "trainings/OutlineTree.h"
#include "store/db/Database.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

const QString kCsv = QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia;Stanowisko\n"
                                    "Łoś;Anna;02.03.1980;Łomża;magazynier\n"
                                    "Lis;Piotr;1979-11-30;Wieś;\n");

// The text of pages first..last of a PDF, as pdftotext lays it out, its spaces simplified.
QString pdfText(const QString &path, int first, int last)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first), QStringLiteral("-l"),
                                               QString::number(last), path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

int pdfPages(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(process.waitForFinished(60000));
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const qsizetype at = info.indexOf(QLatin1String("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

class CourseToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Okresowe magazyn"), 2, 0}).has_value());
        writeFile(dir.file("lista.csv"), kCsv.toUtf8());
    }

    ToolResult run(const QStringList &args)
    {
        QStringList full = args;
        const bool twoWords = args[0] == QLatin1String("course") || args[0] == QLatin1String("participant");
        full.insert(args.size() > 1 && twoWords ? 2 : 1, dir.path());
        return runTool(full);
    }

    TempDataDir dir;
};

} // namespace

TEST_F(CourseToolTest, TrainersRoad)
{
    ToolResult r = run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-03", "--place", "Sala 1",
                        "--trainer", "Jan Próbny"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    r = run({"participants", "1", "--import", dir.file("lista.csv"), "--pass-all"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("2\tPiotr\tLis\t1979-11-30\tWieś\t\t1\t\n"
                                    "1\tAnna\tŁoś\t1980-03-02\tŁomża\tmagazynier\t1\t\n"));
    EXPECT_EQ(run({"certificates", "1", dir.file("z.pdf"), "--issue"}).exitCode, 1) << "no organiser yet";
    r = run({"organiser", "--name", "Ośrodek Próbny", "--address", "ul. Polna 1", "--place", "Wieś"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Ośrodek Próbny\tul. Polna 1\tWieś\tN/RRRR\t0\n"));
    r = run({"certificates", "1", dir.file("z.pdf"), "--issue"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = run({"courses"});
    EXPECT_EQ(r.out, QStringLiteral("1\t0\t2026-03-02\t2026-03-03\tSala 1\t2\t2\n"));
    // Issued as proposed: dated the course's last day, numbered in its year.
    const QString year = QStringLiteral("2026");
    const QString today = QStringLiteral("2026-03-03");
    r = run({"register"});
    EXPECT_EQ(r.out, QStringLiteral("1/%1\tPiotr Lis\t1\t0\t%2\twydane\t\n2/%1\tAnna Łoś\t1\t0\t%2\twydane\t\n")
                         .arg(year, today));
    ASSERT_EQ(run({"register", dir.file("rejestr.csv")}).exitCode, 0);
    const QByteArray csv = readFile(dir.file("rejestr.csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBFNumer;Uczestnik;Kurs;Szkolenie;"));
    EXPECT_TRUE(csv.contains(QStringLiteral("2/%1;Anna Łoś;1;Okresowe magazyn;").arg(year).toUtf8()));
}

// Staff of two employers, one of them on an especially dangerous post: their
// employers found by NIP or name from the HR file, then the renewals as TSV,
// the mail-merge CSV and the employers' letters as pdftotext reads them.
TEST_F(CourseToolTest, RenewalsByEmployer)
{
    ASSERT_EQ(run({"course", "add", "0", "--from", "2023-05-09", "--to", "2023-05-10", "--place", "Sala"}).exitCode, 0);
    writeFile(dir.file("kadry.csv"),
              QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia;Stanowisko;Pracodawca;NIP;Co ile lat\n"
                             "Łoś;Anna;02.03.1980;Łomża;magazynier;Huta „Żelazo”;725-000-11-16;\n"
                             "Lis;Piotr;1979-11-30;Wieś;spawacz;Huta Żelazo sp. z o.o.;7250001116;1\n"
                             "Kot;Ewa;1985-01-01;Wieś;kierowca;Ślusarnia Kot;;\n")
                  .toUtf8());
    ToolResult r = run({"participants", "1", "--import", dir.file("kadry.csv"), "--pass-all"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = run({"employers"});
    EXPECT_EQ(r.out, QStringLiteral("1\tHuta „Żelazo”\t7250001116\t\t\t\t\n2\tŚlusarnia Kot\t\t\t\t\t\n"));
    ASSERT_EQ(run({"organiser", "--name", "Ośrodek Próbny", "--address", "ul. Polna 1", "--place", "Wieś"}).exitCode, 0);
    ASSERT_EQ(run({"certificates", "1", dir.file("z.pdf"), "--issue", "--date", "2023-05-10"}).exitCode, 0);
    const auto number = [&](const QString &name) {
        for (const QString &line : run({"register"}).out.split(QLatin1Char('\n')))
            if (line.section(QLatin1Char('\t'), 1, 1) == name)
                return line.section(QLatin1Char('\t'), 0, 0);
        return QString();
    };
    r = run({"renewals", "--as-of", "2026-03-01"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("2024-05-10\tHuta „Żelazo”\tLis\tPiotr\t2\t%1\tzaległe\n"
                                    "2026-05-10\tHuta „Żelazo”\tŁoś\tAnna\t2\t%2\twkrótce\n"
                                    "2026-05-10\tŚlusarnia Kot\tKot\tEwa\t2\t%3\twkrótce\n")
                         .arg(number(QStringLiteral("Piotr Lis")), number(QStringLiteral("Anna Łoś")),
                              number(QStringLiteral("Ewa Kot"))));
    EXPECT_EQ(run({"renewals", "--as-of", "2026-03-01", "--months", "2"}).out.count(QLatin1Char('\n')), 1);

    ASSERT_EQ(run({"renewals", "--as-of", "2026-03-01", dir.file("odnowienia.csv")}).exitCode, 0);
    const QByteArray bytes = readFile(dir.file("odnowienia.csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString csv = QString::fromUtf8(bytes);
    EXPECT_EQ(csv.count(QStringLiteral("\r\n")), 4);
    EXPECT_TRUE(csv.contains(QStringLiteral("10.05.2026;wkrótce;Ślusarnia Kot;;;;;;Kot;Ewa;kierowca;"))) << csv.toStdString();

    r = run({"renewals", "--as-of", "2026-03-01", dir.file("wykaz.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(pdfPages(dir.file("wykaz.pdf")), 2);
    const QString huta = pdfText(dir.file("wykaz.pdf"), 1, 1);
    for (const QString &expected : {QStringLiteral("Ośrodek Próbny"), QStringLiteral("Wieś, 01.03.2026"),
                                    QStringLiteral("Huta „Żelazo”"),
                                    QStringLiteral("Wykaz pracowników, którym upływa termin szkolenia okresowego"),
                                    QStringLiteral("Lis Piotr spawacz"), QStringLiteral("Łoś Anna magazynier"),
                                    QStringLiteral("10.05.2024 (zaległe)"), QStringLiteral("Kontakt: Ośrodek Próbny")})
        EXPECT_TRUE(huta.contains(expected)) << expected.toStdString() << "\n" << huta.toStdString();
    EXPECT_FALSE(huta.contains(QStringLiteral("Kot Ewa")));
    EXPECT_TRUE(pdfText(dir.file("wykaz.pdf"), 2, 2).contains(QStringLiteral("Kot Ewa kierowca")));
}

TEST_F(CourseToolTest, RefusalsAndUsage)
{
    ASSERT_EQ(run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-02", "--place", "S"}).exitCode, 0);
    writeFile(dir.file("zla.csv"), (kCsv + QStringLiteral("Kos;Ewa;31.02.1980;Wieś;\n")).toUtf8());
    struct Row
    {
        QStringList args;
        int exitCode;
    };
    const Row rows[] = {
        {{"course", "add", "7", "--from", "2026-03-02", "--to", "2026-03-02", "--place", "S"}, 1},
        {{"course", "add", "0", "--from", "2026-03-05", "--to", "2026-03-02", "--place", "S"}, 1},
        {{"course", "add", "0", "--from", "2026-03-02", "--place", "S"}, 2},
        {{"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-02", "--place", "S", "--x"}, 2},
        {{"participants", "9"}, 1},
        {{"participants", "1", "--import", dir.file("zla.csv")}, 1},
        {{"participants", "1", "--import", dir.file("brak.csv")}, 1},
        {{"participants", "x"}, 2},
        {{"organiser", "--name", "O", "--address", "A", "--place", "P", "--format", "RRRR"}, 1},
        {{"register", dir.file("rejestr.txt")}, 2},
        {{"attendance", "1"}, 2},
        {{"participants", "1", "--import", dir.file("co-ile-lat.csv")}, 1},
        {{"renewals", "--months", "x"}, 2},
        {{"renewals", "--as-of", "2026-02-30"}, 2},
        {{"renewals", dir.file("odnowienia.txt")}, 2},
        {{"employers", "x"}, 2},
    };
    // An interval the type has not (5 years for manual posts) is refused with its line.
    writeFile(dir.file("co-ile-lat.csv"), QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia;Co ile lat\n"
                                                         "Kos;Ewa;01.02.1980;Wieś;\nLis;Jan;01.02.1980;Wieś;5\n")
                                              .toUtf8());
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
        const ToolResult r = run(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    // The bad row is named with its line, and nobody was imported.
    const ToolResult bad = run({"participants", "1", "--import", dir.file("zla.csv")});
    EXPECT_TRUE(bad.err.contains(QStringLiteral("wiersz 4"))) << bad.err.toStdString();
    EXPECT_TRUE(run({"participants", "1", "--import", dir.file("co-ile-lat.csv")}).err.contains(QStringLiteral("wiersz 3")));
    EXPECT_EQ(run({"participants", "1"}).out, QString());

    // A damaged database is refused and left as it was.
    const QByteArray damaged(5000, 'x');
    writeFile(db::Database::pathIn(dir.path()), damaged);
    const ToolResult r = run({"courses"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("uszkodzona"))) << r.err.toStdString();
    EXPECT_EQ(readFile(db::Database::pathIn(dir.path())), damaged);
}

TEST_F(CourseToolTest, DocumentsCarryEveryField)
{
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)), {{QStringLiteral("Ocena ryzyka zawodowego"), 0, 0x40000000}},
                            &error));
    ASSERT_EQ(runTool({"programme", dir.path(), "0", "--set", "1=8+2"}).exitCode, 0);
    ASSERT_EQ(run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-04", "--place", "Sala Źródłowa",
                   "--trainer", "Jan Próbny"})
                  .exitCode,
              0);
    ASSERT_EQ(run({"participants", "1", "--import", dir.file("lista.csv"), "--pass-all"}).exitCode, 0);
    ASSERT_EQ(run({"organiser", "--name", "Ośrodek Żółwia", "--address", "ul. Polna 1, Łęczna", "--place", "Łęczna"})
                  .exitCode,
              0);
    ToolResult r = run({"certificates", "1", dir.file("z.pdf"), "--issue"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString year = QStringLiteral("2026");
    const QString today = QStringLiteral("04.03.2026"); // the course's last day, as proposed

    // Two pages per certificate: the front with every field, the programme behind it.
    EXPECT_EQ(pdfPages(dir.file("z.pdf")), 4);
    const QString front = pdfText(dir.file("z.pdf"), 1, 1);
    for (const QString &field :
         {QStringLiteral("Ośrodek Żółwia, ul. Polna 1, Łęczna"), QStringLiteral("ZAŚWIADCZENIE"),
          QStringLiteral("o ukończeniu szkolenia w dziedzinie bezpieczeństwa i higieny pracy"),
          QStringLiteral("Piotr Lis"), QStringLiteral("30.11.1979"), QStringLiteral("Wieś"),
          QStringLiteral("Szkolenie okresowe pracowników zatrudnionych na stanowiskach robotniczych"),
          QStringLiteral("w formie kurs"), QStringLiteral("organizowane przez Ośrodek Żółwia"),
          QStringLiteral("od 02.03.2026 r. do 04.03.2026 r."), QStringLiteral("Celem szkolenia było"),
          QStringLiteral("Łęczna , dnia %1 r.").arg(today), QStringLiteral("1/%1").arg(year),
          QStringLiteral("(pieczęć organizatora szkolenia)"),
          QStringLiteral("(podpis osoby upoważnionej przez organizatora szkolenia)")})
        EXPECT_TRUE(front.contains(field)) << field.toStdString() << "\n" << front.toStdString();
    const QString reverse = pdfText(dir.file("z.pdf"), 2, 2);
    EXPECT_TRUE(reverse.contains(QStringLiteral("Program szkolenia"))) << reverse.toStdString();
    EXPECT_TRUE(reverse.contains(QStringLiteral("Ocena ryzyka zawodowego 8 2"))) << reverse.toStdString();
    EXPECT_TRUE(reverse.contains(QStringLiteral("Łączna liczba godzin szkolenia: 10"))) << reverse.toStdString();
    EXPECT_TRUE(pdfText(dir.file("z.pdf"), 3, 3).contains(QStringLiteral("Anna Łoś")));

    // One attendance page per day, the participants in Polish order.
    ASSERT_EQ(run({"attendance", "1", dir.file("lista.pdf")}).exitCode, 0);
    EXPECT_EQ(pdfPages(dir.file("lista.pdf")), 3);
    const QString day3 = pdfText(dir.file("lista.pdf"), 3, 3);
    EXPECT_TRUE(day3.contains(QStringLiteral("04.03.2026"))) << day3.toStdString();
    EXPECT_LT(day3.indexOf(QStringLiteral("Lis Piotr")), day3.indexOf(QStringLiteral("Łoś Anna")));

    // The register: every number, the cancelled one marked.
    db::Database database(db::Database::pathIn(dir.path()));
    ASSERT_TRUE(database.open());
    ASSERT_TRUE(cancelCertificate(database, 1, QStringLiteral("zła data"), &error));
    ASSERT_EQ(run({"register", dir.file("rejestr.pdf")}).exitCode, 0);
    const QString registerText = pdfText(dir.file("rejestr.pdf"), 1, 1);
    EXPECT_TRUE(registerText.contains(QStringLiteral("1/%1 Piotr Lis").arg(year))) << registerText.toStdString();
    EXPECT_TRUE(registerText.contains(QStringLiteral("anulowane: zła data")));
    EXPECT_TRUE(registerText.contains(QStringLiteral("2/%1 Anna Łoś").arg(year)));
    // Only certificates in force are printed again.
    ASSERT_EQ(run({"certificates", "1", dir.file("z2.pdf")}).exitCode, 0);
    EXPECT_EQ(pdfPages(dir.file("z2.pdf")), 2);
}

// However long the programme or the purpose, each certificate is two pages
// (front, reverse), so that duplex printing keeps every reverse behind its
// own front, and the reverse still gives the programme's totals.
TEST_F(CourseToolTest, EveryCertificateIsTwoPages)
{
    const auto heading = [](const QString &name, int level, int hours) {
        const auto own = hours > 0 ? std::optional<PlannedHours>(PlannedHours{4 * hours, 0}) : std::nullopt;
        return OutlineRecord{name, level, 0x40000000, own};
    };
    std::vector<OutlineRecord> threeLevels, flat; // 50 sections of 3 topics of 2 parts; 500 of one level
    for (int s = 1; s <= 500; ++s) {
        flat.push_back(heading(QStringLiteral("Zagadnienie numer %1 z dość długą nazwą").arg(s), 0, 2));
        threeLevels.push_back(heading(QStringLiteral("Część %1").arg(s), s % 10 == 1 ? 0 : (s % 10) % 3 == 2 ? 1 : 2,
                                      (s % 10) % 3 == 2 || s % 10 == 1 ? 0 : 1));
    }
    const struct
    {
        std::vector<OutlineRecord> programme;
        QString purpose, totals; // totals: the totals row of the reverse
    } rows[] = {
        {threeLevels, QStringLiteral("Cel."), QStringLiteral("Razem 300 0")},
        {flat, QStringLiteral("Cel."), QStringLiteral("Razem 1000 0")},
        {{heading(QStringLiteral("Ocena ryzyka"), 0, 8)}, QStringLiteral("Ćwiczenie łączne ").repeated(1200),
         QStringLiteral("Razem 8 0")},
    };
    const QString year = QStringLiteral("2026"); // of the courses' last day, the date proposed
    writeFile(dir.file("lista.csv"), (kCsv + QStringLiteral("Kos;Ewa;01.02.1990;Wieś;\n")).toUtf8());
    ASSERT_EQ(run({"organiser", "--name", "Ośrodek", "--address", "ul. Polna 1", "--place", "Wieś"}).exitCode, 0);
    int course = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.totals.toStdString());
        QString error;
        ASSERT_TRUE(OutlineTree::fromRecords(row.programme).save(dir.file(outlineFileName(0)), &error))
            << error.toStdString();
        ASSERT_EQ(run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-02", "--place", "S"}).exitCode, 0);
        const QString id = QString::number(++course);
        db::Database database(db::Database::pathIn(dir.path()));
        Course stored;
        ASSERT_TRUE(database.open() && readCourse(database, course, &stored));
        stored.purpose = row.purpose;
        ASSERT_TRUE(updateCourse(database, stored, &error)) << error.toStdString();
        ASSERT_EQ(run({"participants", id, "--import", dir.file("lista.csv"), "--pass-all"}).exitCode, 0);
        const QString pdf = dir.file(QStringLiteral("z%1.pdf").arg(id));
        const ToolResult r = run({"certificates", id, pdf, "--issue"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        ASSERT_EQ(pdfPages(pdf), 6);
        for (int i = 0; i < 3; ++i) {
            const int number = 3 * (course - 1) + i + 1;
            EXPECT_TRUE(pdfText(pdf, 2 * i + 1, 2 * i + 1).contains(QStringLiteral(": %1/%2").arg(number).arg(year)))
                << "front " << i + 1;
            const QString reverse = pdfText(pdf, 2 * i + 2, 2 * i + 2);
            EXPECT_TRUE(reverse.contains(row.totals)) << reverse.toStdString();
        }
    }
}

// The record's rules, command by command: issued only from the course's last
// day, dated as proposed or chosen within the rules, the same text printed
// again after the course and the participant change, no one twice, no
// cancelling without a reason.
TEST_F(CourseToolTest, ACertificateIsARecord)
{
    const QDate today = QDate::currentDate();
    ASSERT_EQ(run({"organiser", "--name", "Ośrodek", "--address", "ul. Polna 1", "--place", "Wieś"}).exitCode, 0);
    ASSERT_EQ(run({"course", "add", "0", "--from", "2026-03-02", "--to", "2026-03-03", "--place", "Sala"}).exitCode, 0);
    ASSERT_EQ(run({"course", "add", "0", "--from", today.toString(Qt::ISODate), "--to",
                   today.addDays(3).toString(Qt::ISODate), "--place", "Sala"})
                  .exitCode,
              0);
    for (const char *course : {"1", "2"})
        ASSERT_EQ(run({"participants", course, "--import", dir.file("lista.csv"), "--pass-all"}).exitCode, 0);
    const auto frontText = [](const QString &pdf) { return pdfText(pdf, 1, 1); };
    QString firstPrint;
    struct Row
    {
        const char *what;
        QStringList args;
        int exitCode;
        QString expected; // in the output or the error output
    };
    const Row rows[] = {
        {"before the last day", {"certificates", "2", dir.file("a.pdf"), "--issue"}, 1, QStringLiteral("od ostatniego dnia")},
        {"dated before the last day", {"certificates", "1", dir.file("a.pdf"), "--issue", "--date", "2026-03-02"}, 1,
         QStringLiteral("wcześniejsza niż ostatni dzień kursu")},
        {"dated ahead", {"certificates", "1", dir.file("a.pdf"), "--issue", "--date", today.addDays(1).toString(Qt::ISODate)},
         1, QStringLiteral("późniejsza niż dzisiejsza")},
        {"dated as proposed: the last day", {"certificates", "1", dir.file("a.pdf"), "--issue"}, 0, QString()},
        {"", {"register"}, 0, QStringLiteral("1/2026\tPiotr Lis\t1\t0\t2026-03-03\twydane")},
        {"the same file again", {"participants", "1", "--import", dir.file("lista.csv")}, 1,
         QStringLiteral("wiersz 2: Anna Łoś (ur. 02.03.1980) już jest na liście kursu")},
        {"the course moved", {"course", "set", "1", "--from", "2026-03-09", "--to", "2026-03-10", "--place", "Hala"}, 0,
         QStringLiteral("zachowują swój tekst")},
        {"the participant renamed", {"participant", "set", "1", "2", "--surname", "Lis-Nowak"}, 0,
         QStringLiteral("zachowują swój tekst")},
        {"printed again", {"certificates", "1", dir.file("b.pdf")}, 0, QString()},
        {"the register as issued", {"register"}, 0, QStringLiteral("1/2026\tPiotr Lis\t")},
        {"not into another's name", {"participant", "set", "1", "2", "--surname", "Łoś", "--first-name", "Anna",
                                     "--birth-date", "1980-03-02"}, 1, QStringLiteral("już jest na liście kursu")},
        {"no cancelling without a reason", {"register", "--cancel", "1/2026", "--reason", " "}, 1,
         QStringLiteral("Podaj powód")},
        {"cancelled with one", {"register", "--cancel", "1/2026", "--reason", "literówka"}, 0, QString()},
        {"", {"register"}, 0, QStringLiteral("1/2026\tPiotr Lis\t1\t0\t2026-03-03\tanulowane\tliterówka")},
        {"the new one dated from the last one on", {"certificates", "1", dir.file("c.pdf"), "--issue"}, 0, QString()},
        {"", {"register"}, 0, QStringLiteral("3/2026\tPiotr Lis-Nowak\t1\t0\t2026-03-10\twydane")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what + (" " + row.args.join(u' ').toStdString()));
        const ToolResult r = run(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err.toStdString();
        EXPECT_TRUE((r.out + r.err).contains(row.expected)) << (r.out + r.err).toStdString();
        if (row.args.contains(dir.file("a.pdf")) && r.exitCode == 0)
            firstPrint = frontText(dir.file("a.pdf"));
    }
    ASSERT_FALSE(firstPrint.isEmpty());
    EXPECT_EQ(frontText(dir.file("b.pdf")), firstPrint) << "a reprint prints what was issued";
}

