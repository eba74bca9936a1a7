// Importing PDF decks and pictures into own topics: slide names, depths and
// pictures, JPEGs kept as they are, each bad input refused with nothing left
// behind, cancellation, and renaming and deleting own topic files.

#include "store/TopicFile.h"
#include "store/components/Coding.h"
#include "store/components/JpegDecoder.h"
#include "store/components/JpegEncoder.h"
#include "support/Fixtures.h"
#include "support/SlideSources.h"
#include "topics/ModuleLibrary.h"
#include "topics/OwnTopics.h"
#include "topics/import/PdfBookmarks.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QSize pictureSize(const QByteArray &jpeg)
{
    return decodeJpeg(jpeg).size();
}

QByteArray progressiveJpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(image));
    return buffer.data();
}

} // namespace

TEST(SlideImport, PdfPagesTakeTheirBookmarksAndTheRestAreNumbered)
{
    TempDataDir dir;
    const QString pdf = dir.file(QStringLiteral("deck.pdf"));
    // Levels 0..3, a page with two bookmarks, pages without any.
    writePdf(pdf, 7,
             {{QStringLiteral("Wstep"), 0, 0},
              {QStringLiteral("Zagrozenia"), 1, 1},
              {QStringLiteral("Halas"), 2, 2},
              {QStringLiteral("Pomiary"), 3, 3},
              {QStringLiteral("Druga nazwa strony 4"), 3, 3},
              {QStringLiteral("Koniec"), 5, 0}});
    std::vector<ImportedSlide> slides;
    ASSERT_TRUE(readSlides({pdf}, &slides).ok());
    // Page 4 has two bookmarks: the first becomes a heading without a slide.
    struct Record
    {
        QString name;
        int depth;
        int page; // -1: a heading
    };
    const std::vector<Record> expected = {
        {QStringLiteral("Wstep"), 0, 0},       {QStringLiteral("Zagrozenia"), 1, 1},
        {QStringLiteral("Halas"), 2, 2},       {QStringLiteral("Pomiary"), 2, -1},
        {QStringLiteral("Druga nazwa strony 4"), 2, 3}, {QStringLiteral("Slajd 5"), 2, 4},
        {QStringLiteral("Koniec"), 0, 5},      {QStringLiteral("Slajd 7"), 1, 6}};
    ASSERT_EQ(slides.size(), expected.size());
    for (std::size_t i = 0; i < slides.size(); ++i) {
        EXPECT_EQ(slides[i].name, expected[i].name) << i;
        EXPECT_EQ(slides[i].depth, expected[i].depth) << i;
        EXPECT_EQ(slides[i].page, expected[i].page) << i;
        EXPECT_EQ(slides[i].heading, expected[i].page < 0) << i;
        if (expected[i].page < 0) {
            EXPECT_TRUE(slides[i].jpeg.isEmpty()) << i;
            continue;
        }
        EXPECT_TRUE(isBaselineJpeg(slides[i].jpeg)) << i;
        EXPECT_EQ(pictureSize(slides[i].jpeg), QSize(1920, 1080)) << i;
    }
    // Page 1 is drawn on white: its top right corner is blank.
    const QImage first = decodeJpeg(slides[0].jpeg);
    EXPECT_GT(qGray(first.pixel(1900, 10)), 245);
    EXPECT_LT(qGray(first.pixel(100, 1000)), 245);
}

TEST(SlideImport, BookmarksOutOfPlaceStillGiveEveryPageInOrder)
{
    struct Case
    {
        const char *what;
        std::vector<marbelo::PdfBookmark> bookmarks;
        int pages;
        QStringList records; // name/depth, a heading marked "*"
    };
    const std::vector<Case> cases = {
        {"a bookmark without a page heads the next one",
         {{"A", 0, 0}, {"Bez strony", 0, -1}, {"B", 1, 1}}, 2, {"A/0", "*Bez strony/0", "B/1"}},
        {"a bookmark without a page at the end", {{"A", 0, 0}, {"Koniec", 1, 7}}, 2, {"A/0", "Slajd 2/1", "*Koniec/1"}},
        {"an outline out of page order", {{"Druga", 0, 1}, {"Pierwsza", 0, 0}}, 2, {"Pierwsza/0", "Druga/0"}},
        {"a level jump nests one step", {{"A", 0, 0}, {"Głęboko", 2, 1}}, 3, {"A/0", "Głęboko/1", "Slajd 3/2"}},
        {"no bookmarks", {}, 2, {"Slajd 1/0", "Slajd 2/0"}},
    };
    for (const Case &c : cases) {
        QStringList records;
        int page = 0;
        for (const ImportedSlide &r : slidesFromBookmarks(c.bookmarks, c.pages)) {
            records << QStringLiteral("%1%2/%3").arg(r.heading ? "*" : "", r.name).arg(r.depth);
            if (!r.heading) {
                EXPECT_EQ(r.page, page++) << c.what;
            }
        }
        EXPECT_EQ(records, c.records) << c.what;
        EXPECT_EQ(page, c.pages) << c.what;
    }
}

TEST(SlideImport, PortraitPagesAreRenderedTo1920OnTheirLongSide)
{
    TempDataDir dir;
    const QString pdf = dir.file(QStringLiteral("a4.pdf"));
    writePdf(pdf, 1, {}, QSizeF(595, 842));
    std::vector<ImportedSlide> slides;
    ASSERT_TRUE(readSlides({pdf}, &slides).ok());
    ASSERT_EQ(slides.size(), 1u);
    EXPECT_EQ(pictureSize(slides[0].jpeg), QSize(1357, 1920));
    EXPECT_EQ(slides[0].name, QStringLiteral("Slajd 1"));
}

TEST(SlideImport, PicturesBecomeOneSlideNamedAfterTheFile)
{
    const QByteArray baseline = makeJpeg(64, 48);
    struct Case
    {
        const char *what;
        QString name;
        QByteArray bytes;
        QSize size;     // of the stored slide
        bool keptAsIs;  // stored byte for byte
    };
    const std::vector<Case> cases = {
        {"PNG", QStringLiteral("hala.png"), pictureBytes(40, 20, "PNG"), QSize(40, 20), false},
        {"BMP", QStringLiteral("dach.bmp"), pictureBytes(30, 10, "BMP"), QSize(30, 10), false},
        {"WebP", QStringLiteral("plan.webp"), pictureBytes(24, 12, "WEBP"), QSize(24, 12), false},
        {"baseline JPEG within the slide size", QStringLiteral("zdj.cie.jpg"), baseline, QSize(64, 48), true},
        {"JPEG turned by EXIF", QStringLiteral("obrot.jpg"), jpegWithOrientation(makeJpeg(40, 20), 6),
         QSize(20, 40), false},
        {"JPEG marked upright by EXIF", QStringLiteral("prosto.jpeg"), jpegWithOrientation(baseline, 1),
         QSize(64, 48), true},
        {"progressive JPEG", QStringLiteral("prog.jpg"), progressiveJpeg(64, 48), QSize(64, 48), false},
        {"JPEG larger than a slide", QStringLiteral("duze.jpg"), makeJpeg(2400, 1200), QSize(1920, 960), false},
        {"JPEG bytes under another suffix", QStringLiteral("jpeg.png"), baseline, QSize(64, 48), true},
    };
    for (const Case &c : cases) {
        TempDataDir dir;
        writeFile(dir.file(c.name), c.bytes);
        std::vector<ImportedSlide> slides;
        const ImportResult result = readSlides({dir.file(c.name)}, &slides);
        ASSERT_TRUE(result.ok()) << c.what << ": " << result.message.toStdString();
        ASSERT_EQ(slides.size(), 1u) << c.what;
        EXPECT_EQ(slides[0].name, c.name.left(c.name.lastIndexOf(QLatin1Char('.')))) << c.what;
        EXPECT_EQ(slides[0].depth, 0) << c.what;
        EXPECT_EQ(pictureSize(slides[0].jpeg), c.size) << c.what;
        EXPECT_EQ(slides[0].jpeg == c.bytes, c.keptAsIs) << c.what;
        EXPECT_TRUE(isBaselineJpeg(slides[0].jpeg)) << c.what;
    }
}

TEST(SlideImport, TransparencyIsLaidOnWhite)
{
    QByteArray jpeg;
    ASSERT_TRUE(pictureSlide(QStringLiteral("a.png"), pictureBytes(16, 16, "PNG", true), &jpeg).ok());
    const QImage image = decodeJpeg(jpeg);
    EXPECT_GT(qGray(image.pixel(8, 8)), 245);
}

TEST(SlideImport, BadInputIsRefusedNamingTheFileAndNothingIsWritten)
{
    struct Case
    {
        const char *what;
        QString name;
        std::function<void(const QString &)> make; // null: the file does not exist
        QString reason;
    };
    const std::vector<Case> cases = {
        {"damaged PDF", QStringLiteral("zepsuty.pdf"),
         [](const QString &p) { writeFile(p, "%PDF-1.4\n1 0 obj << /Type /Catal"); }, QStringLiteral("uszkodzony")},
        {"password-protected PDF", QStringLiteral("tajny.pdf"),
         [](const QString &p) { writePdf(p, 2, {}, QSizeF(720, 405), "haslo"); }, QStringLiteral("chroniony hasłem")},
        {"PDF without pages", QStringLiteral("pusty.pdf"), [](const QString &p) { writeFile(p, pdfWithoutPages()); },
         QStringLiteral("nie zawiera żadnej strony")},
        {"PDF over 5000 pages", QStringLiteral("gruby.pdf"),
         [](const QString &p) {
             std::vector<QByteArray> objects = {"<< /Type /Catalog /Pages 2 0 R >>", ""};
             QByteArray kids;
             for (int i = 0; i < 5001; ++i) {
                 kids += QByteArray::number(i + 3) + " 0 R ";
                 objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 72 40] >>");
             }
             objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count 5001 >>";
             writeFile(p, pdfFromObjects(objects));
         },
         QStringLiteral("za dużo stron: 5001")},
        {"no picture", QStringLiteral("notatka.png"),
         [](const QString &p) { writeFile(p, "To nie jest obraz, tylko tekst.\n"); }, QStringLiteral("nie jest obrazem")},
        {"picture over 100 million pixels", QStringLiteral("ogromny.png"),
         [](const QString &p) { writeFile(p, pngHeaderOnly(20000, 5001)); }, QStringLiteral("20000 × 5001")},
        {"missing file", QStringLiteral("zniknal.jpg"), nullptr, QStringLiteral("nie istnieje")},
    };
    for (const Case &c : cases) {
        TempDataDir dir;
        const QString good = dir.file(QStringLiteral("dobry.png"));
        writeFile(good, pictureBytes(20, 10, "PNG"));
        if (c.make)
            c.make(dir.file(c.name));
        const QStringList before = entries(dir.path());
        QString fileName;
        const ImportResult result =
            importOwnTopic(dir.path(), QStringLiteral("Temat"), {good, dir.file(c.name)}, {}, &fileName);
        EXPECT_EQ(result.status, ImportStatus::Failed) << c.what;
        EXPECT_TRUE(result.message.contains(QStringLiteral("„") + c.name + QStringLiteral("”")))
            << c.what << ": " << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(c.reason)) << c.what << ": " << result.message.toStdString();
        EXPECT_EQ(entries(dir.path()), before) << c.what;
        EXPECT_TRUE(fileName.isEmpty()) << c.what;
    }
}

TEST(SlideImport, SlidesBeyondWhatAReferenceAddressesAreRefused)
{
    TempDataDir dir;
    const QByteArray jpeg = makeJpeg(64, 48);
    writeFile(dir.file("1.jpg"), jpeg);
    writeFile(dir.file("2.jpg"), jpeg);
    const qint64 oneSlide = 4 + 128 + 5 * 4 + 1 + 3 + jpeg.size();
    std::vector<ImportedSlide> slides;
    EXPECT_TRUE(readSlides({dir.file("1.jpg")}, &slides, {}, oneSlide).ok());
    const ImportResult result = readSlides({dir.file("1.jpg"), dir.file("2.jpg")}, &slides, {}, oneSlide);
    EXPECT_EQ(result.status, ImportStatus::Failed);
    EXPECT_TRUE(result.message.contains(QStringLiteral("„2.jpg”"))) << result.message.toStdString();
    EXPECT_TRUE(slides.empty());
}

// A deck of three pages that each take seconds to render: a hundred thousand
// shapes apiece.
QByteArray slowPdf()
{
    QByteArray content;
    for (int i = 0; i < 100000; ++i)
        content += QByteArray::number(i % 700) + ' ' + QByteArray::number(i % 390) + " 9 9 re f\n";
    const QByteArray stream = "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream";
    const QByteArray page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 720 405] /Contents 3 0 R >>";
    return pdfFromObjects({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [4 0 R 5 0 R 6 0 R] /Count 3 >>",
                           stream, page, page, page});
}

TEST(SlideImport, CancellingLeavesNoFile)
{
    // Cancelled after the second slide, and while the first pages render.
    for (const int lastDone : {2, 0}) {
        TempDataDir dir;
        const QString pdf = dir.file(QStringLiteral("deck.pdf"));
        if (lastDone > 0)
            writePdf(pdf, 3);
        else
            writeFile(pdf, slowPdf());
        int calls = 0, highest = 0;
        QString fileName;
        const ImportResult result = importOwnTopic(
            dir.path(), QStringLiteral("Temat"), {pdf},
            [&](int done, int total) {
                EXPECT_EQ(total, 3);
                highest = std::max(highest, done);
                return ++calls == 1 || done < lastDone;
            },
            &fileName);
        EXPECT_EQ(result.status, ImportStatus::Cancelled) << lastDone;
        EXPECT_EQ(highest, lastDone);
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("deck.pdf")});
    }
}

TEST(SlideImport, OwnTopicsGetNewNamesAndReadAsTopicFiles)
{
    TempDataDir dir;
    writeFile(dir.file(QStringLiteral("Własne 001.mdl")), "taken");
    const QString picture = dir.file(QStringLiteral("Zdjęcie hali.png"));
    writeFile(picture, pictureBytes(20, 10, "PNG"));
    QString fileName;
    ASSERT_TRUE(importOwnTopic(dir.path(), QStringLiteral("Hala produkcyjna"), {picture, picture}, {}, &fileName).ok());
    EXPECT_EQ(fileName, QStringLiteral("Własne 002.mdl"));
    EXPECT_EQ(readFile(dir.file(QStringLiteral("Własne 001.mdl"))), QByteArray("taken"));
    EXPECT_EQ(nextOwnTopicFileName(dir.path()), QStringLiteral("Własne 003.mdl"));

    TopicFile topic;
    ASSERT_TRUE(readTopicFile(dir.file(fileName), &topic));
    EXPECT_EQ(topic.title, QStringLiteral("Hala produkcyjna"));
    ASSERT_EQ(topic.nodes.size(), 2u);
    EXPECT_EQ(topic.nodes[1].name, QStringLiteral("Zdjęcie hali"));
    EXPECT_TRUE(hasSlide(topic.nodes[1].reference));
    EXPECT_FALSE(isHeading(topic.nodes[1].reference));
    EXPECT_TRUE(topic.complete);
}

TEST(SlideImport, StoredNamesAreCutAndHoldOnlyWindows1250)
{
    const QByteArray jpeg = makeJpeg(8, 8);
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(ownTopicBytes(QStringLiteral("Tytuł"),
                              {{QStringLiteral("Żuraw 😀 ☃"), 0, jpeg}, {QString(200, u'x'), 1, jpeg}}, &bytes, &error));
    EXPECT_EQ(bytes, buildTopicFile(cp1250(QStringLiteral("Tytuł")),
                                    {topicRecord("0", "0", "1", QStringLiteral("Żuraw ?? ?"), jpeg),
                                     topicRecord("1", "0", "1", QString(128, u'x'), jpeg)}));
    EXPECT_FALSE(ownTopicBytes(QStringLiteral("Tytuł ☃"), {}, &bytes, &error));
    EXPECT_FALSE(ownTopicBytes(QString(129, u'a'), {}, &bytes, &error));
}

TEST(SlideImport, OnlyTheImportsNamesAreOwnTopics)
{
    const std::vector<std::pair<QString, bool>> names = {
        {QStringLiteral("Własne 001.mdl"), true},  {QStringLiteral("Własne 1234.mdl"), true},
        {QStringLiteral("Własne 01.mdl"), false},  {QStringLiteral("własne 001.mdl"), false},
        {QStringLiteral("Własne 001.mdl.bak"), false}, {QStringLiteral("BHP ogólne.mdl"), false},
        {QStringLiteral("Wlasne 001.mdl"), false},
    };
    for (const auto &[name, own] : names)
        EXPECT_EQ(isOwnTopicFileName(name), own) << name.toStdString();
}

TEST(SlideImport, RenameRewritesTheTitleOnlyAndDeleteRemovesTheFile)
{
    TempDataDir dir;
    const QString path = dir.file(QStringLiteral("Własne 001.mdl"));
    const QByteArray jpeg = makeJpeg(8, 8);
    const std::vector<TopicRecordSource> records = {topicRecord("0", "0", "1", QStringLiteral("Slajd 1"), jpeg)};
    writeFile(path, buildTopicFile(cp1250(QStringLiteral("Stary")), records));
    QString error;
    ASSERT_TRUE(renameTopicFile(path, QStringLiteral("Nowy tytuł, dłuższy"), &error)) << error.toStdString();
    EXPECT_EQ(readFile(path), buildTopicFile(cp1250(QStringLiteral("Nowy tytuł, dłuższy")), records));

    writeFile(dir.file(QStringLiteral("Własne 002.mdl")), QByteArray("\x40\0\0\0ab", 6));
    EXPECT_FALSE(renameTopicFile(dir.file(QStringLiteral("Własne 002.mdl")), QStringLiteral("X"), &error));
    EXPECT_EQ(readFile(dir.file(QStringLiteral("Własne 002.mdl"))), QByteArray("\x40\0\0\0ab", 6));

    ASSERT_TRUE(deleteTopicFile(path, &error));
    EXPECT_FALSE(fileExists(path));
    EXPECT_FALSE(deleteTopicFile(path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("„Własne 001.mdl”")));
}

TEST(JpegEncoder, BaselineIsToldFromOtherFrames)
{
    EXPECT_TRUE(isBaselineJpeg(makeJpeg(8, 8)));
    EXPECT_TRUE(isBaselineJpeg(jpegWithOrientation(makeJpeg(8, 8), 6)));
    EXPECT_FALSE(isBaselineJpeg(progressiveJpeg(8, 8)));
    EXPECT_FALSE(isBaselineJpeg(pictureBytes(8, 8, "PNG")));
    EXPECT_FALSE(isBaselineJpeg(makeJpeg(8, 8).left(20)));
    EXPECT_FALSE(isBaselineJpeg(QByteArray("\xFF\xD8\xFF\xE0\x00\x01", 6)));
}
