// The printed documents as a reader of the paper sees them, from a data
// folder made through marbelo-tool with awkward data: every field whole, the
// register's numbers, names and dates unbroken, no page number on a
// certificate, blank hours where a heading above covers them, the cancelled
// entry grey and struck through, the organiser's letterhead with its logo.

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/ItemReference.h"
#include "trainings/OutlineTree.h"
#include "support/Fixtures.h"
#include "support/Tool.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

QByteArray output(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return process.readAllStandardOutput();
}

// Page `page` of a PDF as pdftotext -layout lays it out, a line each.
QStringList pageLines(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    return QString::fromUtf8(output(QStringLiteral("pdftotext"), {"-layout", "-f", number, "-l", number, pdf, "-"}))
        .split(QLatin1Char('\n'));
}

class DocumentLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Okresowe magazyn"), 2, 0}).has_value());
        QString error;
        // "Ocena ryzyka" has hours of its own, which cover its sub-headings;
        // "Pierwsza pomoc" counts its sub-headings', one of which has none.
        ASSERT_TRUE(OutlineTree::fromRecords({{QStringLiteral("Ocena ryzyka zawodowego"), 0, kHeadingFlag},
                                              {QStringLiteral("Identyfikacja zagrożeń"), 1, kHeadingFlag},
                                              {QStringLiteral("Pierwsza pomoc"), 0, kHeadingFlag},
                                              {QStringLiteral("Resuscytacja"), 1, kHeadingFlag},
                                              {QStringLiteral("Opatrunki"), 1, kHeadingFlag}})
                        .save(dir.file(outlineFileName(0)), &error));
        QImage logo(120, 40, QImage::Format_RGB32);
        logo.fill(Qt::darkGreen);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        logo.save(&png, "PNG");
        writeFile(dir.file("logo.png"), png.data());
        writeFile(dir.file("lista.csv"),
                  QStringLiteral("Nazwisko;Imię;Data urodzenia;Miejsce urodzenia;Stanowisko\n"
                                 "Brzęczyszczykiewicz-Wielkopolska;Grzegorz;09.12.1975;Szczebrzeszyn nad Wieprzem;"
                                 "operator wózka\nŁoś;Anna;02.03.1980;Łomża;magazynier\n")
                      .toUtf8());
        const QStringList steps[] = {
            {"programme", dir.path(), "0", "--set", "1=8+2", "2.1=2"},
            {"organiser", dir.path(), "--name", "Ośrodek Szkoleniowy „Żółw” sp. z o.o.", "--address",
             "ul. Źródlana 12/3, 22-100 Chełm", "--place", "Szczebrzeszyn", "--format", "BHP/ / N/RRRR", "--logo",
             dir.file("logo.png")},
            {"course", "add", dir.path(), "0", "--from", "2025-12-08", "--to", "2025-12-09", "--place",
             "Konstantynów Łódzki, Centrum Szkoleniowe przy ulicy Długiej"},
            {"participants", dir.path(), "1", "--import", dir.file("lista.csv"), "--pass-all"},
            {"certificates", dir.path(), "1", dir.file("z.pdf"), "--issue"},
            {"register", dir.path(), "--cancel", "BHP/ / 1/2025", "--reason", "błąd w dacie urodzenia"},
            {"register", dir.path(), dir.file("rejestr.pdf")},
            {"programme", dir.path(), "0", dir.file("program.pdf")},
        };
        for (const QStringList &step : steps) {
            const ToolResult r = runTool(step);
            ASSERT_EQ(r.exitCode, 0) << step.join(u' ').toStdString() << ": " << r.err.toStdString();
        }
    }

    TempDataDir dir;
};

} // namespace

TEST_F(DocumentLayoutTest, FieldsWholeNumbersUnbrokenHoursWhereTheyCount)
{
    enum Expect { OnOneLine, Whole, NoHoursAfter, Absent };
    const struct
    {
        const char *file;
        int page;
        QString text;
        Expect expect;
    } rows[] = {
        {"z.pdf", 1, QStringLiteral("Grzegorz Brzęczyszczykiewicz-Wielkopolska"), OnOneLine},
        {"z.pdf", 1, QStringLiteral("09.12.1975"), OnOneLine},
        {"z.pdf", 1, QStringLiteral("Szczebrzeszyn nad Wieprzem"), OnOneLine},
        {"z.pdf", 1, QStringLiteral("Szkolenie okresowe pracowników zatrudnionych na stanowiskach robotniczych"), Whole},
        {"z.pdf", 1, QStringLiteral("Ośrodek Szkoleniowy „Żółw” sp. z o.o., ul. Źródlana 12/3, 22-100 Chełm"), Whole},
        {"z.pdf", 1, QStringLiteral("08.12.2025"), OnOneLine},
        {"z.pdf", 1, QStringLiteral("BHP/ / 1/2025"), OnOneLine},
        {"z.pdf", 1, QStringLiteral("pieczęć organizatora szkolenia"), OnOneLine},
        {"z.pdf", 1, QStringLiteral("Strona"), Absent},
        {"z.pdf", 2, QStringLiteral("Strona"), Absent},
        {"z.pdf", 2, QStringLiteral("1.1 Identyfikacja zagrożeń"), NoHoursAfter},
        {"z.pdf", 2, QStringLiteral("2.2 Opatrunki"), NoHoursAfter},
        {"z.pdf", 2, QStringLiteral("2.1 Resuscytacja 2 0"), OnOneLine},
        {"rejestr.pdf", 1, QStringLiteral("Ośrodek Szkoleniowy „Żółw” sp. z o.o."), OnOneLine},
        {"rejestr.pdf", 1, QStringLiteral("BHP/ / 1/2025"), OnOneLine},
        {"rejestr.pdf", 1, QStringLiteral("BHP/ / 2/2025"), OnOneLine},
        {"rejestr.pdf", 1, QStringLiteral("Brzęczyszczykiewicz-Wielkopolska"), OnOneLine},
        {"rejestr.pdf", 1, QStringLiteral("09.12.2025"), OnOneLine},
        {"rejestr.pdf", 1, QStringLiteral("anulowane: błąd w dacie urodzenia"), Whole},
        {"program.pdf", 1, QStringLiteral("ul. Źródlana 12/3, 22-100 Chełm"), OnOneLine},
        {"program.pdf", 1, QStringLiteral("1. Ocena ryzyka zawodowego 8 2 10"), OnOneLine},
        {"program.pdf", 1, QStringLiteral("1.1 Identyfikacja zagrożeń"), NoHoursAfter},
        {"program.pdf", 1, QStringLiteral("2.2 Opatrunki"), NoHoursAfter},
        {"program.pdf", 1, QStringLiteral("2.1 Resuscytacja 2 0 2"), OnOneLine},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(QStringLiteral("%1, page %2: %3").arg(row.file).arg(row.page).arg(row.text).toStdString());
        const QStringList lines = pageLines(dir.file(QString::fromLatin1(row.file)), row.page);
        QStringList simplified;
        for (const QString &line : lines)
            simplified << line.simplified();
        const QString page = simplified.join(u' ').simplified();
        const auto line = std::find_if(simplified.begin(), simplified.end(),
                                       [&](const QString &l) { return l.contains(row.text); });
        switch (row.expect) {
        case OnOneLine:
            EXPECT_NE(line, simplified.end()) << lines.join(u'\n').toStdString();
            break;
        case Whole:
            EXPECT_TRUE(page.contains(row.text)) << lines.join(u'\n').toStdString();
            break;
        case NoHoursAfter:
            ASSERT_NE(line, simplified.end()) << lines.join(u'\n').toStdString();
            EXPECT_TRUE(line->endsWith(row.text)) << line->toStdString();
            break;
        case Absent:
            EXPECT_FALSE(page.contains(row.text)) << page.toStdString();
            break;
        }
    }
    // The tool's programme keeps its six fields, empty where the hours do not count.
    EXPECT_TRUE(runTool({"programme", dir.path(), "0"})
                    .out.contains(QStringLiteral("1.1\t1\tIdentyfikacja zagrożeń\t\t\t\n")));
}

// The register's cancelled entry is printed grey and struck through, the
// entry in force black and whole: read from the page's pixels, in the box
// pdftotext gives each surname.
TEST_F(DocumentLayoutTest, TheCancelledEntryIsGreyAndStruckThrough)
{
    const QString bbox = QString::fromUtf8(output(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1",
                                                                                 dir.file("rejestr.pdf"), "-"}));
    output(QStringLiteral("pdftoppm"), {"-gray", "-r", "144", "-f", "1", "-l", "1", "-png", "-singlefile",
                                        dir.file("rejestr.pdf"), dir.file("rejestr")});
    const QImage page(dir.file("rejestr.png"));
    ASSERT_FALSE(page.isNull());
    const struct
    {
        QString word;
        bool cancelled;
    } rows[] = {{QStringLiteral("Brzęczyszczykiewicz-Wielkopolska"), true}, {QStringLiteral("Łoś"), false}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.word.toStdString());
        const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                     "yMax=\"([\\d.]+)\">%1</word>")
                                          .arg(QRegularExpression::escape(row.word)));
        const QRegularExpressionMatch found = word.match(bbox);
        ASSERT_TRUE(found.hasMatch()) << bbox.toStdString();
        const auto pixel = [&](int n) { return int(found.captured(n).toDouble() * 144.0 / 72.0); }; // from points
        const QRect box(QPoint(pixel(1) + 2, pixel(2)), QPoint(pixel(3) - 2, pixel(4)));
        int darkest = 255;
        bool struck = false; // a row of pixels inked across the whole word
        for (int y = box.top(); y <= box.bottom(); ++y) {
            int inked = 0;
            for (int x = box.left(); x <= box.right(); ++x) {
                darkest = std::min(darkest, qGray(page.pixel(x, y)));
                inked += qGray(page.pixel(x, y)) < 230 ? 1 : 0;
            }
            struck = struck || inked == box.width();
        }
        EXPECT_EQ(struck, row.cancelled);
        EXPECT_EQ(darkest > 80, row.cancelled) << "darkest " << darkest;
    }
}

// The letterhead's logo is set and taken away from the command line.
TEST_F(DocumentLayoutTest, TheLogoHeadsTheProgrammeUntilRemoved)
{
    const QString pdf = dir.file("program.pdf");
    const auto images = [&] {
        const QString list = QString::fromUtf8(output(QStringLiteral("pdfimages"), {"-list", pdf}));
        return list.split(u'\n', Qt::SkipEmptyParts).size() - 2; // past the two header lines
    };
    EXPECT_EQ(images(), 1);
    ASSERT_EQ(runTool({"organiser", dir.path(), "--no-logo"}).exitCode, 0);
    ASSERT_EQ(runTool({"programme", dir.path(), "0", pdf}).exitCode, 0);
    EXPECT_EQ(images(), 0);
    EXPECT_EQ(runTool({"organiser", dir.path(), "--logo", dir.file("lista.csv")}).exitCode, 1) << "not a picture";
}
