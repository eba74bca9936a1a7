// Times a step of the full-screen window: from the key that asks for the next
// (or previous) slide to the new picture painted on the screen, over a run of
// steps forth and back through ten 1920 x 1080 slides. Between steps the
// event loop runs until decoding ahead has finished, as while a trainer talks.
// Usage: bench_presenting WIDTH HEIGHT ahead|no-ahead [steps]   (steps: 200)
// Prints the median, the 95th percentile and the longest step in ms.

#include "presentation/ui/SlideCanvas.h"
#include "presentation/ui/ViewForm.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

using namespace marbelo;

namespace {

class NoMessages : public Messages
{
public:
    void inform(const QString &) override {}
    bool confirm(const QString &, DefaultAnswer) override { return true; }
};

// Slide n: a gradient in its own colours, a title, bullet lines and a
// photo-like grainy panel, saved as a JPEG of quality 85.
QByteArray makeSlide(int n)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 1920, 1080);
    background.setColorAt(0, QColor::fromHsv((n * 36) % 360, 200, 120));
    background.setColorAt(1, QColor(230, 240, 250));
    painter.fillRect(image.rect(), background);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 64, QFont::Bold));
    painter.drawText(QRect(100, 60, 1720, 140), Qt::AlignLeft, QStringLiteral("Temat %1: bezpieczeństwo").arg(n + 1));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 28));
    for (int line = 0; line < 8; ++line)
        painter.drawText(120, 260 + line * 50, QStringLiteral("• Zasada %1: środki ochrony indywidualnej").arg(line + 1));
    painter.end();
    std::mt19937 random(1080 + n);
    std::uniform_int_distribution<int> grain(-24, 24);
    for (int y = 640; y < 1000; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 1100; x < 1800; ++x) {
            const int v = std::clamp(110 + (x - 1100) / 6 + grain(random), 0, 255);
            row[x] = qRgb(v, std::clamp(v + 30, 0, 255), std::clamp(255 - v, 0, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5));
    return values[at];
}

} // namespace

int main(int argc, char **argv)
{
    const int width = argc > 1 ? std::atoi(argv[1]) : 0;
    const int height = argc > 2 ? std::atoi(argv[2]) : 0;
    const bool ahead = argc > 3 && std::strcmp(argv[3], "ahead") == 0;
    const int steps = argc > 4 ? std::atoi(argv[4]) : 200;
    if (width <= 0 || height <= 0 || argc < 4 || (!ahead && std::strcmp(argv[3], "no-ahead") != 0) || steps <= 0) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT ahead|no-ahead [steps]\n", argv[0]);
        return 2;
    }
    // One offscreen screen of the size asked for.
    QTemporaryDir work;
    const QString screens = work.filePath(QStringLiteral("screen.json"));
    {
        QFile file(screens);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(QStringLiteral(R"({"screens":[{"name":"Bench","x":0,"y":0,"width":%1,"height":%2,)"
                                  R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                       .arg(width)
                       .arg(height)
                       .toUtf8());
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screens.toLocal8Bit());
    QApplication app(argc, argv);

    const int slideCount = 10;
    QByteArray presentation;
    for (int n = 0; n < slideCount; ++n)
        presentation += blockBytes(BCodeToStr(makeSlide(n)));
    const QString path = work.filePath(QStringLiteral("bench.pnn"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(presentation) != presentation.size())
            return 1;
    }
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    if (!stream)
        return 1;
    std::vector<BlockInfo> slides = indexBlocks(*stream, 0);
    NoMessages messages;
    ViewForm view(std::move(stream), std::move(slides), messages);
    view.pictures().setReadAhead(ahead);
    view.show();
    QApplication::processEvents();

    std::vector<double> times;
    times.reserve(std::size_t(steps));
    bool forward = true;
    for (int i = 0; i < steps; ++i) {
        while (!view.pictures().idle())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (view.currentSlide() == slideCount - 1)
            forward = false;
        else if (view.currentSlide() == 0)
            forward = true;
        const int before = view.currentSlide();
        QKeyEvent key(QEvent::KeyRelease, forward ? Qt::Key_Space : Qt::Key_Left, Qt::NoModifier);
        QElapsedTimer timer;
        timer.start();
        QApplication::sendEvent(&view, &key);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (view.currentSlide() == before || !view.canvas()->hasPicture()) {
            std::fprintf(stderr, "step %d showed no new slide\n", i);
            return 1;
        }
    }
    std::printf("%dx%d %s: %d steps, median %.2f ms, p95 %.2f ms, max %.2f ms (picture %dx%d)\n", width, height,
                ahead ? "ahead" : "no-ahead", steps, percentile(times, 0.5), percentile(times, 0.95),
                percentile(times, 1.0), view.canvas()->picture().width(),
                view.canvas()->picture().height());
    return 0;
}
