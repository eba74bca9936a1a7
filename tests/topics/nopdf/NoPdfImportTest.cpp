// The slide import of builds without Qt's PDF module (Windows): the dialog
// offers pictures and says why, a PDF is refused before anything is read, and
// pictures still come in. Linked with PdfSlidesNone.cpp in place of the PDF
// reader, so it runs in the Linux build.

#include "support/Fixtures.h"
#include "support/SlideSources.h"
#include "topics/import/PdfSlides.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(NoPdfImport, TheDialogOffersPicturesAndSaysPdfIsNotImported)
{
    EXPECT_FALSE(pdfImportAvailable());
    EXPECT_FALSE(slideFilePatterns().contains(QStringLiteral("*.pdf")));
    EXPECT_TRUE(slideFilePatterns().contains(QStringLiteral("*.jpg")));
    const QString filter = slideFileFilter();
    EXPECT_TRUE(filter.contains(QStringLiteral("nie importuje plików PDF"))) << filter.toStdString();
    EXPECT_TRUE(filter.endsWith(QStringLiteral("(") + slideFilePatterns().join(QLatin1Char(' ')) + QStringLiteral(")")));
    EXPECT_FALSE(slideDialogTitle().contains(QStringLiteral("PDF")));
}

TEST(NoPdfImport, APdfAmongTheFilesIsRefusedByNameAndNothingIsRead)
{
    TempDataDir dir;
    writeFile(dir.file("a.jpg"), makeJpeg(64, 48));
    writePdf(dir.file("deck.pdf"), 2);
    // A PDF by its content under another name is refused the same way.
    writeFile(dir.file("deck.bin"), readFile(dir.file("deck.pdf")));
    for (const char *pdf : {"deck.pdf", "deck.bin"}) {
        std::vector<ImportedSlide> slides(1);
        int reported = 0;
        const ImportResult result = readSlides({dir.file("a.jpg"), dir.file(pdf)}, &slides, [&](int, int) {
            ++reported;
            return true;
        });
        EXPECT_EQ(result.status, ImportStatus::Failed) << pdf;
        EXPECT_TRUE(result.message.contains(QStringLiteral("„%1”").arg(QLatin1String(pdf)))) << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(QStringLiteral("nie importuje plików PDF")));
        EXPECT_TRUE(slides.empty());
        EXPECT_EQ(reported, 0);
    }
}

TEST(NoPdfImport, PicturesStillComeIn)
{
    TempDataDir dir;
    const QByteArray jpeg = makeJpeg(64, 48);
    writeFile(dir.file("Zdjęcie.jpg"), jpeg);
    std::vector<ImportedSlide> slides;
    ASSERT_TRUE(readSlides({dir.file("Zdjęcie.jpg")}, &slides).ok());
    ASSERT_EQ(slides.size(), 1u);
    EXPECT_EQ(slides[0].name, QStringLiteral("Zdjęcie"));
    EXPECT_EQ(slides[0].jpeg, jpeg);
}
