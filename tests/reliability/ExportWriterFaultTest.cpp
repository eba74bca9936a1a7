// The writers of an exported folder's browser player and of the PDF, run
// against a file-size limit at many byte counts: each file ends exactly as
// before or exactly as after, nothing is left behind, every failure is told.

#include "presentation/BrowserPage.h"
#include "presentation/DecodedSlides.h"
#include "presentation/ExportFolder.h"
#include "presentation/PdfExport.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"
#include "support/PresentationData.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class ExportWriterFaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FileSizeLimit::isSupported())
            GTEST_SKIP() << "this platform has no per-process file-size limit";
        QDir().mkpath(out.file("o"));
    }

    // Every byte count up to dense, then every stride-th one.
    static std::vector<qint64> sampled(const FaultCase &fault, qint64 dense, qint64 stride)
    {
        std::vector<qint64> limits;
        for (qint64 limit : everyFailurePoint(fault)) {
            if (limit <= dense || limit % stride == 0)
                limits.push_back(limit);
        }
        return limits;
    }

    QString folder() const { return out.file("o/"); }

    TempDataDir dir;
    TempDataDir out;
};

} // namespace

TEST_F(ExportWriterFaultTest, DecodedSlides)
{
    const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 2);
    writeFile(dir.file("p.pnn"), data.presentation);
    std::vector<std::int32_t> offsets;
    std::int32_t at = 0;
    for (const QByteArray &jpeg : data.jpegs) {
        offsets.push_back(at);
        at += 4 + std::int32_t(jpeg.size());
    }
    std::vector<WrittenFile> files;
    for (int i = 0; i < 3; ++i)
        files.push_back({folder() + decodedSlideName(QString(), i + 1), QByteArray("older slide"), data.jpegs[i]});
    const auto write = [&] {
        std::unique_ptr<Stream> stream;
        QString error;
        return (stream = openStream(dir.file("p.pnn"), OpenMode::Read))
               && writeDecodedSlides(*stream, offsets, folder(), QString(), &error);
    };
    const FaultCase fault{QStringLiteral("decoded slides (3 over older ones)"), folder(), files, write};
    expectSoundMatrix(fault, sampled(fault, 64, 5));
}

TEST_F(ExportWriterFaultTest, PresentationFolderWithTheBrowserPlayer)
{
    const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie"), 2);
    const QString slides = folder() + "p-slajdy/";
    std::vector<WrittenFile> files{
        {folder() + "p.pnn", std::nullopt, data.presentation},
        {folder() + "p.html", QByteArray("older page"), browserPage(QStringLiteral("Szkolenie"), "p-slajdy", 3)},
        {folder() + "Start.exe", std::nullopt, QByteArray("viewer program")},
        {folder() + "Autorun.inf", std::nullopt, readFile(dir.file("Autorun.inf"))},
        {dir.file("View.pnn"), std::nullopt, std::nullopt},
    };
    for (int i = 0; i < 3; ++i)
        files.push_back({slides + decodedSlideName(QString(), i + 1), QByteArray("older slide"), data.jpegs[i]});
    // A slide of an older, longer export: gone after a whole export, kept otherwise.
    files.push_back({slides + "0004.jpg", QByteArray("older slide"), std::nullopt});
    const auto write = [&] {
        TrainingRecord training;
        return exportPresentationFolder(dir.path(), 0, data.references, &training, folder() + "p.pnn").ok();
    };
    const FaultCase fault{QStringLiteral("presentation folder with the browser player (over an older export)"),
                          folder(), files, write};
    expectSoundMatrix(fault, sampled(fault, 64, 31));
}

TEST_F(ExportWriterFaultTest, Pdf)
{
    const TrainingData data = writeTrainingData(dir.path(), QStringLiteral("Szkolenie żółć"), 2);
    const struct
    {
        PdfLayout layout;
        const char *name;
        qint64 stride;
    } cases[] = {{PdfLayout::Slides, "PDF slides (over an older file)", 7},
                 {PdfLayout::Handouts, "PDF handouts (over an older file)", 997}};
    for (const auto &c : cases) {
        const QString pdf = folder() + "p.pdf";
        const auto write = [&] {
            TrainingRecord training;
            return exportPresentationPdf(dir.path(), 0, data.references, &training, c.layout, pdf).ok;
        };
        ASSERT_TRUE(write());
        const QByteArray whole = readFile(pdf);
        const FaultCase fault{QString::fromLatin1(c.name), folder(), {{pdf, QByteArray("older pdf"), whole}}, write};
        expectSoundMatrix(fault, sampled(fault, 64, c.stride));
    }
}
