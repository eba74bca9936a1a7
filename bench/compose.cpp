// Times composing a presentation of 500 slides of about 300 KB each against a
// plain copy of a file of the same bytes.
// Usage: bench_compose DIR [compose|copy]
// The first run fills DIR with a training's catalogue, front page and image
// store and with the expected presentation; later runs reuse them.

#include "presentation/Compose.h"
#include "store/Catalogue.h"
#include "store/CopyDataFile.h"
#include "store/DataFiles.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <cstring>
#include <random>

using namespace marbelo;

namespace {

constexpr int kSlides = 500;
constexpr int kSlideSize = 300 * 1024;

QByteArray randomBytes(std::mt19937 &random, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

int slideSize(int i)
{
    return kSlideSize - 4096 + (i * 7919) % 8192;
}

// The store holds the slides in the reverse of outline order, so that every
// slide costs a seek backwards. The files are written on the first run only.
std::vector<ItemReference> prepare(const QString &dir)
{
    std::vector<ItemReference> references(kSlides);
    qint64 at = kImageStoreMagic.size();
    for (int i = kSlides - 1; i >= 0; --i) {
        references[i] = static_cast<ItemReference>(at);
        at += 4 + slideSize(i);
    }
    const QString marker = dir + QStringLiteral("ready");
    if (QFile::exists(marker))
        return references;

    std::mt19937 random(7);
    std::vector<QByteArray> slides;
    for (int i = 0; i < kSlides; ++i)
        slides.push_back(randomBytes(random, slideSize(i)));
    QByteArray store = kImageStoreMagic;
    for (int i = kSlides - 1; i >= 0; --i)
        store += blockBytes(slides[i]);
    QByteArray front;
    for (int t = 0; t < kTrainingTypeCount; ++t)
        front += blockBytes(randomBytes(random, kSlideSize));
    QByteArray expected = front.mid(0, 4 + kSlideSize);
    for (const QByteArray &slide : slides)
        expected += blockBytes(slide);
    write(dir + kCatalogueName, QByteArray());
    appendTrainingRecord(dir, {QStringLiteral("Bench"), 0, 0});
    if (!write(dir + kFrontPageName, front) || !write(dir + imageStoreFileName(0), store)
        || !write(dir + QStringLiteral("expected.pnn"), expected) || !write(marker, "1"))
        std::fprintf(stderr, "cannot prepare %s\n", qPrintable(dir));
    return references;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_compose DIR [compose|copy]\n");
        return 2;
    }
    QString dir = QDir::fromNativeSeparators(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const bool copy = argc > 2 && std::strcmp(argv[2], "copy") == 0;
    const std::vector<ItemReference> references = prepare(dir);

    if (copy) {
        const int result = CopyDataFile(dir + QStringLiteral("expected.pnn"), dir + QStringLiteral("copy.pnn"));
        std::printf("copy %s\n", result == 0 ? "ok" : "failed");
        return result == 0 ? 0 : 1;
    }
    TrainingRecord training;
    const ComposeResult result = composePresentation(dir, 0, references, &training, dir + QStringLiteral("out.pnn"));
    std::printf("compose %s: %d slides, %lld bytes\n", result.ok ? "ok" : qPrintable(result.error), result.slides(),
                static_cast<long long>(result.bytes));
    return result.ok ? 0 : 1;
}
