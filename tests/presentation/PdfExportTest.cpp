// The PDF of a presentation, read back with poppler's tools: pages of both
// layouts, the slides' JPEG bytes as they are, the title and the Polish text.

#include "presentation/PdfExport.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "support/Fixtures.h"
#include "support/PresentationData.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QSize>

#include <functional>
#include <thread>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

const QString kTitle = QStringLiteral("Szkolenie okresowe – żółć & <BHP>");

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("failed: ") + program + QLatin1Char(' ') + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString infoField(const QString &pdf, const QString &field)
{
    for (const QString &line : run(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return QString();
}

class PdfExportTest : public ::testing::Test
{
protected:
    PdfResult write(PdfLayout layout, const QString &out, int slides = 4)
    {
        data = writeTrainingData(dir.path(), kTitle, slides);
        TrainingRecord training;
        return exportPresentationPdf(dir.path(), 0, data.references, &training, layout, out);
    }

    // Changes the first item slide's JPEG bytes in the image store, in place.
    void patchFirstSlide(const std::function<void(QByteArray &)> &patch)
    {
        QByteArray store = readFile(dir.file("Data0000.pdl"));
        const qsizetype length = data.jpegs[1].size();
        QByteArray jpeg = BCodeToStr(store.mid(8, length));
        patch(jpeg);
        store.replace(8, length, BCodeToStr(jpeg));
        writeFile(dir.file("Data0000.pdl"), store);
    }

    // Sets the size the first item slide's frame header gives.
    void setFirstSlideSize(int width, int height)
    {
        patchFirstSlide([=](QByteArray &jpeg) {
            const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
            ASSERT_GT(frame, 0);
            jpeg[frame + 5] = char(height >> 8);
            jpeg[frame + 6] = char(height & 0xFF);
            jpeg[frame + 7] = char(width >> 8);
            jpeg[frame + 8] = char(width & 0xFF);
        });
    }

    TempDataDir dir;
    TrainingData data;
};

} // namespace

TEST_F(PdfExportTest, SlidesOfAnyProportionMakeAPage)
{
    const QSize sizes[] = {{100, 1920}, {1920, 1}, {1, 1920}, {1920, 1080}};
    for (const QSize size : sizes) {
        SCOPED_TRACE(size.width());
        data = writeTrainingData(dir.path(), kTitle, 1);
        setFirstSlideSize(size.width(), size.height());
        TrainingRecord training;
        const PdfResult result =
            exportPresentationPdf(dir.path(), 0, data.references, &training, PdfLayout::Slides, dir.file("p.pdf"));
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        // Every page within the sizes a PDF page may have.
        const QStringList pageSize = infoField(dir.file("p.pdf"), QStringLiteral("Page size")).split(' ');
        ASSERT_GE(pageSize.size(), 3);
        for (const QString &side : {pageSize[0], pageSize[2]}) {
            EXPECT_GE(side.toDouble(), 3.0);
            EXPECT_LE(side.toDouble(), 14400.0);
        }
    }
}

TEST_F(PdfExportTest, BothLayoutsEmbedEverySlideByteForByte)
{
    const struct
    {
        PdfLayout layout;
        int slides;
        int pages;
        QString pageSize;
    } cases[] = {
        {PdfLayout::Slides, 4, 5, QStringLiteral("842 x 631.5 pts")}, // the front page is 32 × 24
        {PdfLayout::Handouts, 4, 2, QStringLiteral("595.276 x 841.89 pts (A4)")},
        {PdfLayout::Handouts, 5, 2, QStringLiteral("595.276 x 841.89 pts (A4)")},
        {PdfLayout::Handouts, 6, 3, QStringLiteral("595.276 x 841.89 pts (A4)")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pages);
        const QString pdf = dir.file("out.pdf");
        const PdfResult result = write(c.layout, pdf, c.slides);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.pages, c.pages);
        EXPECT_EQ(infoField(pdf, "Pages"), QString::number(c.pages));
        EXPECT_EQ(infoField(pdf, "Page size"), c.pageSize);
        EXPECT_EQ(infoField(pdf, "Title"), kTitle);
        EXPECT_EQ(infoField(pdf, "Creator"), QStringLiteral("Marbelo"));

        const QString images = dir.file("images/");
        QDir(images).removeRecursively();
        QDir().mkpath(images);
        run(QStringLiteral("pdfimages"), {QStringLiteral("-j"), pdf, images + QStringLiteral("s")});
        const QStringList extracted = QDir(images).entryList(QDir::Files, QDir::Name);
        ASSERT_EQ(extracted.size(), qsizetype(data.jpegs.size()));
        for (qsizetype i = 0; i < extracted.size(); ++i) {
            EXPECT_TRUE(extracted[i].endsWith(QLatin1String(".jpg"))) << extracted[i].toStdString();
            EXPECT_EQ(readFile(images + extracted[i]), data.jpegs[i]) << i;
        }
    }
}

// libharu's records come from an arena of the thread that writes the
// document: two PDFs written at once come out as each does alone.
TEST_F(PdfExportTest, TwoPdfsWrittenAtOnceMatchEachWrittenAlone)
{
    data = writeTrainingData(dir.path(), kTitle, 40);
    const auto pdf = [&](PdfLayout layout, const QString &out) {
        TrainingRecord training;
        return exportPresentationPdf(dir.path(), 0, data.references, &training, layout, out).ok;
    };
    ASSERT_TRUE(pdf(PdfLayout::Slides, dir.file("alone.pdf")));
    ASSERT_TRUE(pdf(PdfLayout::Handouts, dir.file("alone-handouts.pdf")));
    for (int round = 0; round < 3; ++round) {
        bool handouts = false;
        std::thread other([&] { handouts = pdf(PdfLayout::Handouts, dir.file("handouts.pdf")); });
        const bool slides = pdf(PdfLayout::Slides, dir.file("slides.pdf"));
        other.join();
        ASSERT_TRUE(slides && handouts);
        EXPECT_EQ(readFile(dir.file("slides.pdf")), readFile(dir.file("alone.pdf")));
        EXPECT_EQ(readFile(dir.file("handouts.pdf")), readFile(dir.file("alone-handouts.pdf")));
    }
}

TEST_F(PdfExportTest, HandoutsCarryTheTrainingsNameAndPageNumbersInPolish)
{
    const QString pdf = dir.file("h.pdf");
    ASSERT_TRUE(write(PdfLayout::Handouts, pdf, 5).ok);
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_EQ(text.count(kTitle), 2) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Strona 1 z 2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Strona 2 z 2"))) << text.toStdString();
}

TEST_F(PdfExportTest, AFailureWritesNothingAndKeepsAnOlderFile)
{
    const struct
    {
        const char *what;
        std::function<void()> spoil;
        QString error;
    } cases[] = {
        {"missing image store", [&] { QFile::remove(dir.file("Data0000.pdl")); }, "nie można otworzyć pliku slajdów"},
        {"slide that is no JPEG",
         [&] {
             QByteArray store = readFile(dir.file("Data0000.pdl"));
             store[12] = char(store[12] ^ 0x55); // inside the first slide's SOI marker
             writeFile(dir.file("Data0000.pdl"), store);
         },
         "slajd 2 nie jest poprawnym obrazem JPEG"},
        {"slide whose header runs past its end",
         [&] {
             QByteArray store = readFile(dir.file("Data0000.pdl"));
             // SOI, then an APP0 segment of 65535 bytes, coded from the first slide's first byte.
             const QByteArray header = BCodeToStr(QByteArray::fromHex("FFD8FFE0FFFF"));
             store.replace(8, header.size(), header);
             writeFile(dir.file("Data0000.pdl"), store);
         },
         "slajd 2 nie jest poprawnym obrazem JPEG"},
        {"slide of 12 bits a sample",
         [&] {
             patchFirstSlide([](QByteArray &jpeg) { jpeg[jpeg.indexOf(QByteArray("\xFF\xC0", 2)) + 4] = 12; });
         },
         "slajd 2 nie jest 8-bitowym obrazem JPEG"},
        {"corrupt front-page file",
         [&] { writeFile(dir.file("TarvixFront.fdl"), readFile(dir.file("TarvixFront.fdl")).left(40)); },
         "plik stron tytułowych TarvixFront.fdl jest uszkodzony"},
        {"corrupt presentation",
         [&] {
             QByteArray store = readFile(dir.file("Data0000.pdl"));
             writeFile(dir.file("Data0000.pdl"), store.left(store.size() - 1));
         },
         "slajd pozycji 3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString pdf = dir.file("p.pdf");
        writeFile(pdf, "older pdf");
        data = writeTrainingData(dir.path(), kTitle, 2);
        c.spoil();
        TrainingRecord training;
        const PdfResult result =
            exportPresentationPdf(dir.path(), 0, data.references, &training, PdfLayout::Handouts, pdf);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.startsWith(c.error)) << result.error.toStdString();
        EXPECT_TRUE(pdfMessage(result).startsWith(QStringLiteral("Nie udało się zapisać pliku PDF: ")));
        EXPECT_EQ(readFile(pdf), QByteArray("older pdf"));
        EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("p.pdf*")}, QDir::Files | QDir::Hidden),
                  QStringList({"p.pdf"}));
        EXPECT_FALSE(fileExists(dir.file("View.pnn")));
    }
}

TEST_F(PdfExportTest, PicturesLargerThanTheBuffersPassWhole)
{
    // The writer reads slides through a 1 MiB window and writes through a
    // 256 KiB buffer: slides of more than both, between small ones, pass whole.
    QImage noise(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        random.fillRange(reinterpret_cast<quint32 *>(noise.scanLine(y)), noise.width());
    QByteArray big;
    QBuffer buffer(&big);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && noise.save(&buffer, "JPEG", 95));
    ASSERT_GT(big.size(), 1 << 20);

    data = writeTrainingData(dir.path(), kTitle, 3);
    QByteArray store = readFile(dir.file("Data0000.pdl"));
    for (int i : {1, 3}) { // the first and the third item's slide
        data.references[std::size_t(i)] = static_cast<ItemReference>(store.size());
        data.jpegs[std::size_t(i)] = big;
        store += blockBytes(BCodeToStr(big));
    }
    writeFile(dir.file("Data0000.pdl"), store);
    TrainingRecord training;
    const QString pdf = dir.file("big.pdf");
    ASSERT_TRUE(exportPresentationPdf(dir.path(), 0, data.references, &training, PdfLayout::Slides, pdf).ok);
    const QString images = dir.file("images/");
    QDir().mkpath(images);
    run(QStringLiteral("pdfimages"), {QStringLiteral("-j"), pdf, images + QStringLiteral("s")});
    const QStringList extracted = QDir(images).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(extracted.size(), qsizetype(data.jpegs.size()));
    for (qsizetype i = 0; i < extracted.size(); ++i)
        EXPECT_EQ(readFile(images + extracted[i]), data.jpegs[std::size_t(i)]) << i;
}
