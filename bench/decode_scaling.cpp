// Times slide decoding: a 1920 x 1080 slide decoded at full size or scaled for the
// 346-pixel-wide preview pane.
// Usage: bench_decode_scaling [scaled|full] [count]   (defaults: scaled 50)

#include "store/components/JpegDecoder.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

// A slide-like picture: gradient background, a photo-like noisy panel, shapes and text.
QByteArray makeSlide()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 1920, 1080);
    background.setColorAt(0, QColor(20, 60, 120));
    background.setColorAt(1, QColor(230, 240, 250));
    painter.fillRect(image.rect(), background);

    QRadialGradient glow(1400, 600, 420);
    glow.setColorAt(0, QColor(250, 200, 90));
    glow.setColorAt(1, QColor(90, 40, 20));
    painter.setBrush(glow);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawEllipse(QPoint(1400, 600), 400, 340);
    painter.drawRect(120, 700, 500, 300);

    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 64, QFont::Bold));
    painter.drawText(QRect(100, 60, 1720, 140), Qt::AlignLeft, QStringLiteral("Bezpieczeństwo pracy"));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 28));
    for (int line = 0; line < 8; ++line)
        painter.drawText(120, 260 + line * 50,
                         QStringLiteral("• Zasada %1: środki ochrony indywidualnej i zbiorowej").arg(line + 1));
    painter.end();

    // Photo-like grain in a panel, from a fixed generator start so every run encodes the same bytes.
    std::mt19937 random(1080);
    std::uniform_int_distribution<int> grain(-24, 24);
    for (int y = 700; y < 1000; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 120; x < 620; ++x) {
            const int v = std::clamp(110 + (x - 120) / 4 + grain(random), 0, 255);
            row[x] = qRgb(v, std::clamp(v + 30, 0, 255), std::clamp(255 - v, 0, 255));
        }
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 85))
        return QByteArray();
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const bool full = argc > 1 && std::strcmp(argv[1], "full") == 0;
    if (argc > 1 && !full && std::strcmp(argv[1], "scaled") != 0) {
        std::fprintf(stderr, "usage: %s [scaled|full] [count]\n", argv[0]);
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 50;
    if (count <= 0) {
        std::fprintf(stderr, "count must be positive\n");
        return 2;
    }

    const QByteArray jpeg = makeSlide();
    if (jpeg.isEmpty()) {
        std::fprintf(stderr, "could not encode the slide\n");
        return 1;
    }
    const QSize target = full ? QSize() : QSize(346, 194);

    QElapsedTimer timer;
    timer.start();
    QSize decoded;
    for (int i = 0; i < count; ++i) {
        QString error;
        const QImage image = marbelo::decodeJpeg(jpeg, target, &error);
        if (image.isNull()) {
            std::fprintf(stderr, "decode failed: %s\n", qPrintable(error));
            return 1;
        }
        decoded = image.size();
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6 / count;
    std::printf("%s: %lld-byte JPEG 1920x1080 -> %dx%d, %d decodes, %.3f ms per decode\n",
                full ? "full" : "scaled", static_cast<long long>(jpeg.size()), decoded.width(),
                decoded.height(), count, ms);
    return 0;
}
