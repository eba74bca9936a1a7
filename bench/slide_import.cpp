// Times importing a 50-page PDF deck into a topic file, to be set against
// rendering the same deck with pdftoppm -jpeg -scale-to 1920.
// Usage: bench_slide_import make DIR     writes DIR/deck.pdf (once)
//        bench_slide_import import DIR   imports it into DIR/deck.mdl

#include "topics/OwnTopics.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstring>

using namespace marbelo;

namespace {

constexpr int kPages = 50;

// Slides as a presentation program saves them: 16:9 pages with a title,
// bullet text, a gradient band and a photograph-like picture.
bool makeDeck(const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(254, 142.875), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(96);
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 3 + x / 2) % 256, (x ^ y) % 256));
    }
    const QRect page = painter.viewport();
    for (int i = 0; i < kPages; ++i) {
        if (i > 0)
            writer.newPage();
        QLinearGradient band(0, 0, page.width(), 0);
        band.setColorAt(0, QColor::fromHsv((i * 37) % 360, 160, 200));
        band.setColorAt(1, Qt::white);
        painter.fillRect(QRect(0, 0, page.width(), page.height() / 6), band);
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 28, QFont::Bold));
        painter.drawText(QPoint(40, page.height() / 9), QStringLiteral("Slajd %1: zasady BHP na stanowisku").arg(i + 1));
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 16));
        for (int line = 0; line < 8; ++line)
            painter.drawText(QPoint(60, page.height() / 4 + line * 40),
                             QStringLiteral("• Punkt %1: środki ochrony indywidualnej i obowiązki pracownika").arg(line + 1));
        painter.drawImage(QRect(page.width() * 3 / 5, page.height() / 4, page.width() / 3, page.height() / 2), photo);
    }
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3 || (std::strcmp(argv[1], "make") != 0 && std::strcmp(argv[1], "import") != 0)) {
        std::fprintf(stderr, "usage: bench_slide_import make|import DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[2]));
    const QString deck = dir.filePath(QStringLiteral("deck.pdf"));
    if (std::strcmp(argv[1], "make") == 0) {
        if (!QDir().mkpath(dir.path()) || !makeDeck(deck)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(deck));
            return 1;
        }
        return 0;
    }
    const ImportResult result = importTopicFile(dir.filePath(QStringLiteral("deck.mdl")), QStringLiteral("Deck"), {deck});
    if (!result.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    }
    return 0;
}
