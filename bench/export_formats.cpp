// Prepares the data for timing the presentation's other formats: a training
// of 500 slides (real JPEGs of about 300 KB each, about 150 MB in all), and
// the same slides decoded as plain files. The programs then timed are
// marbelo-tool's pdf, export and extract commands and cat.
// Usage: bench_export_formats DIR
// DIR receives data/ (the data directory, training 0) and slides/ (the
// decoded slides, for cat). A second run finds them ready and does nothing.

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>

#include <cstdio>
#include <random>

using namespace marbelo;

namespace {

constexpr int kSlides = 500;
constexpr int kDistinct = 10;

bool write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// A noisy picture compresses badly: about 300 KB at this size and quality.
QByteArray noisyJpeg(std::mt19937 &random, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x + y) & 0xFF, int(random() & 0x3F) + 96, (x * 3) & 0xFF);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_export_formats DIR\n");
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    if (QFile::exists(dir + QStringLiteral("ready")))
        return 0;
    const QString data = dir + QStringLiteral("data/");
    const QString slides = dir + QStringLiteral("slides/");
    QDir().mkpath(data);
    QDir().mkpath(slides);

    std::mt19937 random(11);
    std::vector<QByteArray> jpegs;
    for (int i = 0; i < kDistinct; ++i)
        jpegs.push_back(noisyJpeg(random, 1040 + 8 * i, 780));

    QByteArray front;
    for (int t = 0; t < kTrainingTypeCount; ++t)
        front += blockBytes(BCodeToStr(jpegs[t % kDistinct]));
    QByteArray store = kImageStoreMagic;
    std::vector<OutlineRecord> outline;
    qint64 total = 0;
    // Slide 1 is the front page of type 0, then the items' slides.
    bool ok = write(slides + QStringLiteral("0001.jpg"), jpegs[0]);
    for (int i = 0; i < kSlides; ++i) {
        const QByteArray &jpeg = jpegs[(i * 7 + 3) % kDistinct];
        outline.push_back({QStringLiteral("Temat %1").arg(i + 1), 0, static_cast<ItemReference>(store.size())});
        store += blockBytes(BCodeToStr(jpeg));
        total += jpeg.size();
        ok = ok && write(slides + QStringLiteral("%1.jpg").arg(i + 2, 4, 10, QLatin1Char('0')), jpeg);
    }
    QString error;
    ok = ok && write(data + kCatalogueName, QByteArray()) && appendTrainingRecord(data, {QStringLiteral("Bench"), 0, 0}) == 0
         && write(data + kFrontPageName, front) && write(data + imageStoreFileName(0), store)
         && saveOutline(data + outlineFileName(0), outline, &error)
         && write(data + QStringLiteral("TarvixView.exe"), QByteArray(1 << 20, 'p'))
         && write(data + QStringLiteral("Autorun.inf"), "[autorun]\nopen=Start.exe\n");
    if (!ok || !write(dir + QStringLiteral("ready"), "1")) {
        std::fprintf(stderr, "cannot prepare %s\n", qPrintable(dir));
        return 1;
    }
    std::printf("%d slides, %lld bytes of JPEG\n", kSlides + 1, static_cast<long long>(total + jpegs[0].size()));
    return 0;
}
