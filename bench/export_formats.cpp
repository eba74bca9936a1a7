// Prepares the data for timing the presentation's other formats: a training
// of 500 slides (1920 x 1080 photo-like JPEGs of about 430 KB each, about
// 217 MB in all), and the same slides decoded as plain files. The programs
// then timed are marbelo-tool's compose, pdf, export and extract commands and cat.
// Usage: bench_export_formats DIR [FRONT.fdl]
// DIR receives data/ (the data directory, training 0) and slides/ (the
// decoded slides, for cat). FRONT.fdl, when given, is the front-page file
// (the demo data's, say); otherwise one is made of the same photos. A second
// run finds them ready and does nothing.

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

#include <algorithm>
#include <cmath>
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

// Smooth light and colour with grain, as a photo has: the grain's strength
// sets the size, from about 210 to 630 KB at this size and quality.
QByteArray photoJpeg(std::mt19937 &random, int grain)
{
    const int width = 1920, height = 1080;
    QImage image(width, height, QImage::Format_RGB32);
    std::uniform_int_distribution<int> noise(-grain, grain);
    const double phase = double(random() % 628) / 100;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double light = 0.5 + 0.5 * std::sin(x / 170.0 + phase) * std::cos(y / 130.0 - phase);
            const int n = noise(random);
            line[x] = qRgb(std::clamp(int(60 + 150 * light) + n, 0, 255),
                           std::clamp(int(90 + 100 * (1 - light)) + n / 2, 0, 255),
                           std::clamp(int(40 + 60 * light + y / 12) + n, 0, 255));
        }
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
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: bench_export_formats DIR [FRONT.fdl]\n");
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
        jpegs.push_back(photoJpeg(random, 7 + 2 * i));

    QByteArray front;
    if (argc == 3) {
        QFile given(QString::fromLocal8Bit(argv[2]));
        if (!given.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 1;
        }
        front = given.readAll();
    } else {
        for (int t = 0; t < kTrainingTypeCount; ++t)
            front += blockBytes(BCodeToStr(jpegs[t % kDistinct]));
    }
    QByteArray store = kImageStoreMagic;
    std::vector<OutlineRecord> outline;
    qint64 total = 0;
    // Slide 1 is the front page of type 0, then the items' slides.
    bool ok = true;
    for (int i = 0; i < kSlides; ++i) {
        const QByteArray &jpeg = jpegs[(i * 7 + 3) % kDistinct];
        outline.push_back({QStringLiteral("Temat %1").arg(i + 1), 0, static_cast<ItemReference>(store.size())});
        store += blockBytes(BCodeToStr(jpeg));
        total += jpeg.size();
        ok = ok && write(slides + QStringLiteral("%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0')), jpeg);
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
    std::printf("%d slides and a front page, %lld bytes of JPEG\n", kSlides, static_cast<long long>(total));
    return 0;
}
