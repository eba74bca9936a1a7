// The participants' CSV as HR departments export it: one table of files
// (separators, encodings, BOM, date forms, quoting, missing columns, bad rows,
// empty files) and a file of 10,000 rows.

#include "courses/ParticipantCsv.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

struct CsvCase
{
    const char *name;
    QByteArray bytes;
    int good;                 // rows read
    QString firstSurname;     // of the first good row
    QDate firstBirthDate;
    std::vector<int> badLines; // lines of the refused rows
    bool refused = false;      // the whole file refused
    // The first good row's employer columns, as read.
    QString firstEmployer{};
    QString firstNip{};
    int firstInterval = 0;
};

QByteArray utf8(const char16_t *text)
{
    return QString::fromUtf16(text).toUtf8();
}

class ParticipantCsvTest : public ::testing::TestWithParam<CsvCase>
{
};

} // namespace

TEST_P(ParticipantCsvTest, ReadsRowsAndNamesBadOnes)
{
    const CsvCase &c = GetParam();
    const ParticipantCsv csv = readParticipantCsv(c.bytes);
    EXPECT_EQ(!csv.error.isEmpty(), c.refused) << csv.error.toStdString();
    ASSERT_EQ(static_cast<int>(csv.participants.size()), c.good);
    ASSERT_EQ(csv.lines.size(), csv.participants.size());
    std::vector<int> badLines;
    for (const CsvRowProblem &p : csv.problems) {
        badLines.push_back(p.line);
        EXPECT_FALSE(p.reason.isEmpty());
    }
    EXPECT_EQ(badLines, c.badLines);
    if (c.good > 0) {
        EXPECT_EQ(csv.participants[0].surname, c.firstSurname);
        EXPECT_EQ(csv.participants[0].birthDate, c.firstBirthDate);
        EXPECT_EQ(csv.participants[0].employerName, c.firstEmployer);
        EXPECT_EQ(csv.participants[0].employerNip, c.firstNip);
        EXPECT_EQ(csv.participants[0].intervalYears, c.firstInterval);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ParticipantCsvTest,
    ::testing::Values(
        CsvCase{"SemicolonUtf8DottedDates",
                utf8(u"Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;Stanowisko\n"
                     u"Jadwiga;Źdźbło;05.03.1981;Łódź;spawacz\nKarol;Mak;1.2.1990;Wieś;\n"),
                2, QStringLiteral("Źdźbło"), QDate(1981, 3, 5), {}},
        CsvCase{"CommaBomIsoDatesAnyOrderAndCase",
                "\xEF\xBB\xBF" + utf8(u"NAZWISKO,miejsce urodzenia,DATA URODZENIA,imię\r\n"
                                      u"Żak,Gdańsk,1975-12-31,Ewa\r\n"),
                1, QStringLiteral("Żak"), QDate(1975, 12, 31), {}},
        CsvCase{"Windows1250", cp1250(QStringLiteral("Imię;Nazwisko;Data urodzenia;Miejsce urodzenia\n"
                                                     "Łucja;Ślązak;10.10.1966;Częstochowa\n")),
                1, QStringLiteral("Ślązak"), QDate(1966, 10, 10), {}},
        CsvCase{"QuotedSeparatorQuoteAndLineBreak",
                utf8(u"Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;Stanowisko\n"
                     u"Jan;\"Nowak; \"\"Kowal\"\"\";01.01.1980;Wieś;\"kierownik\nzmiany\"\n"
                     u"Ola;Bez;31.02.1980;Wieś;x\n"),
                1, QStringLiteral("Nowak; \"Kowal\""), QDate(1980, 1, 1), {4}},
        CsvCase{"BadRowsByLineWithBlankLinesCounted",
                utf8(u"Imię;Nazwisko;Data urodzenia;Miejsce urodzenia\n\n"
                     u"Ala;Wrona;1980/01/01;Wieś\nAla;Sroka;02.01.1980\n;Kos;03.01.1980;Wieś\n"
                     u"Ala;Szpak;04.01.2990;Wieś\nAla;Gil;05.01.1980;Wieś\n"),
                1, QStringLiteral("Gil"), QDate(1980, 1, 5), {3, 4, 5, 6}},
        CsvCase{"EmployerColumnsAnyOrderAndCase",
                utf8(u"co ile lat;NIP;Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;PRACODAWCA\n"
                     u"1;725-000-11-16;Jan;Kos;01.01.1980;Wieś;  Huta   „Łabędy” \n"
                     u";PL 1234563218;Ewa;Sowa;02.01.1980;Wieś;\n"),
                2, QStringLiteral("Kos"), QDate(1980, 1, 1), {}, false,
                QString::fromUtf16(u"Huta „Łabędy”"), QStringLiteral("725-000-11-16"), 1},
        CsvCase{"BadNipOrIntervalRefusedWithItsLine",
                utf8(u"Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;Pracodawca;NIP;Co ile lat\n"
                     u"Jan;Kos;01.01.1980;Wieś;Huta;1234563210;\n"
                     u"Jan;Wilk;01.01.1980;Wieś;Huta;12345;\n"
                     u"Jan;Lis;01.01.1980;Wieś;Huta;;trzy\n"
                     u"Jan;Żuk;01.01.1980;Wieś;Huta;9510003574;5\n"),
                1, QString::fromUtf16(u"Żuk"), QDate(1980, 1, 1), {2, 3, 4}, false, QStringLiteral("Huta"),
                QStringLiteral("9510003574"), 5},
        CsvCase{"MissingColumns", utf8(u"Imię;Nazwisko;Stanowisko\nJan;Nowak;x\n"), 0, {}, {}, {}, true},
        CsvCase{"HeaderOnly", utf8(u"Imię;Nazwisko;Data urodzenia;Miejsce urodzenia\r\n"), 0, {}, {}, {}, true},
        CsvCase{"Empty", QByteArray(), 0, {}, {}, {}, true},
        CsvCase{"BlankLinesOnly", QByteArray("\r\n \n;;\n"), 0, {}, {}, {}, true}),
    [](const ::testing::TestParamInfo<CsvCase> &info) { return std::string(info.param.name); });

TEST(ParticipantCsvLargeTest, TenThousandRows)
{
    QByteArray bytes = "\xEF\xBB\xBF" + utf8(u"Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;Stanowisko\n");
    for (int i = 0; i < 10000; ++i)
        bytes += utf8(u"Imię") + QByteArray::number(i) + utf8(u";Łąkowski;") + QByteArray::number(1 + i % 28)
                 + ".06.1985;Poznań;operator\n";
    const ParticipantCsv csv = readParticipantCsv(bytes);
    EXPECT_TRUE(csv.error.isEmpty());
    EXPECT_TRUE(csv.problems.empty());
    ASSERT_EQ(csv.participants.size(), 10000u);
    EXPECT_EQ(csv.lines.back(), 10001);
    EXPECT_EQ(csv.participants.back().firstName, QString::fromUtf16(u"Imię9999"));
    EXPECT_EQ(csv.participants.back().birthDate, QDate(1985, 6, 1 + 9999 % 28));
}
