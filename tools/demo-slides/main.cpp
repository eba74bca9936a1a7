// marbelo-demo-slides: renders demo slides for the topic library.
//
//   marbelo-demo-slides topic IN.txt OUTDIR
//       Parses a topic file, renders one 1024x768 JPEG per slide
//       (OUTDIR/slide-NNN.jpg) and writes OUTDIR/library.src.
//   marbelo-demo-slides front OUTDIR [NAME1 ... NAME6]
//       Renders six title pages OUTDIR/front-1.jpg .. front-6.jpg, one per
//       training type (the type names unless other names are given).
//
// Topic file: line 1 is the title; then records
// "DEPTH<TAB>HEADING<TAB>SLIDE<TAB>NAME", each record with SLIDE=1 followed
// by bullet lines starting with "- ". Empty lines and lines starting with
// "#" are ignored.

#include "store/Records.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kJpegQuality = 85;

const QString kFontFamily = QStringLiteral("DejaVu Sans");
const QColor kBand(0x1F, 0x5F, 0x8B);      // top band
const QColor kAccent(0x2A, 0x9D, 0x8F);    // thin line, bullet markers
const QColor kBackground(0xFB, 0xFC, 0xFD);
const QColor kText(0x33, 0x3A, 0x40);      // bullet text
const QColor kFooter(0xEC, 0xEF, 0xF2);
const QColor kFooterText(0x6A, 0x74, 0x7E);

struct Record {
    int depth = 0;
    bool heading = false;
    bool slide = false;
    QString name;
    QStringList bullets;
    int line = 0;
};

struct Topic {
    QString title;
    std::vector<Record> records;
};

void printErr(const QString &msg)
{
    std::fprintf(stderr, "%s\n", msg.toLocal8Bit().constData());
}

// Parses a topic file; on error prints "file:line: reason" and returns nothing.
std::optional<Topic> parseTopic(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printErr(QStringLiteral("%1: cannot open: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));

    auto fail = [&path](int line, const QString &reason) {
        printErr(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(reason));
        return std::nullopt;
    };

    Topic topic;
    topic.title = lines.value(0).trimmed();
    if (topic.title.isEmpty())
        return fail(1, QStringLiteral("missing title"));

    auto checkBullets = [](const Record &r) {
        return !(r.slide && r.bullets.isEmpty());
    };

    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int lineNo = i + 1;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;

        if (line.startsWith(QLatin1String("- "))) {
            if (topic.records.empty() || !topic.records.back().slide)
                return fail(lineNo, QStringLiteral("bullet point without a preceding slide record"));
            const QString bullet = line.mid(2).trimmed();
            if (bullet.isEmpty())
                return fail(lineNo, QStringLiteral("empty bullet point"));
            topic.records.back().bullets << bullet;
            continue;
        }

        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 4)
            return fail(lineNo, QStringLiteral("expected 4 tab-separated fields, found %1").arg(f.size()));
        if (f[0].size() != 1 || f[0][0] < QLatin1Char('0') || f[0][0] > QLatin1Char('9'))
            return fail(lineNo, QStringLiteral("DEPTH must be 0..9"));
        if (f[1] != QLatin1String("0") && f[1] != QLatin1String("1"))
            return fail(lineNo, QStringLiteral("HEADING must be 0 or 1"));
        if (f[2] != QLatin1String("0") && f[2] != QLatin1String("1"))
            return fail(lineNo, QStringLiteral("SLIDE must be 0 or 1"));

        Record r;
        r.depth = f[0][0].unicode() - '0';
        r.heading = f[1] == QLatin1String("1");
        r.slide = f[2] == QLatin1String("1");
        r.name = f[3].trimmed();
        r.line = lineNo;
        if (r.name.isEmpty())
            return fail(lineNo, QStringLiteral("empty NAME"));
        const int maxDepth = topic.records.empty() ? 0 : topic.records.back().depth + 1;
        if (r.depth > maxDepth)
            return fail(lineNo, QStringLiteral("DEPTH %1 exceeds %2").arg(r.depth).arg(maxDepth));
        if (!topic.records.empty() && !checkBullets(topic.records.back()))
            return fail(topic.records.back().line, QStringLiteral("slide record without bullet points"));
        topic.records.push_back(r);
    }

    if (topic.records.empty())
        return fail(lines.size(), QStringLiteral("no records"));
    if (!checkBullets(topic.records.back()))
        return fail(topic.records.back().line, QStringLiteral("slide record without bullet points"));
    return topic;
}

// Binds one-letter words (e.g. "i", "w", "z") to the next word with a
// non-breaking space, so they never end a line.
QString glueShortWords(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("(?<=^|\\s)(\\w) "),
                                       QRegularExpression::UseUnicodePropertiesOption);
    QString out = text;
    return out.replace(re, QStringLiteral("\\1") + QChar(0x00A0));
}

QFont makeFont(qreal pixelSize, bool bold)
{
    QFont font(kFontFamily);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    return font;
}

// Height of text word-wrapped to the given width, or -1 if a word is too wide.
qreal wrappedHeight(const QFont &font, const QPaintDevice *dev, qreal width, const QString &text)
{
    const QFontMetricsF fm(font, dev);
    const QRectF r = fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text);
    return r.width() > width + 0.5 ? -1 : r.height();
}

// Largest font (from maxSize down to minSize) that wraps text into the box
// using at most maxLines lines.
QFont fitFont(const QPaintDevice *dev, const QString &text, const QSizeF &box, qreal maxSize,
              qreal minSize, bool bold, int maxLines)
{
    for (qreal size = maxSize; size > minSize; size -= 1) {
        const QFont font = makeFont(size, bold);
        const qreal h = wrappedHeight(font, dev, box.width(), text);
        const qreal lineH = QFontMetricsF(font, dev).lineSpacing();
        if (h >= 0 && h <= box.height() && h <= maxLines * lineH + 1)
            return font;
    }
    return makeFont(minSize, bold);
}

// Shield outline with "BHP" lettering, used as decoration.
void drawShield(QPainter &p, const QRectF &r, const QColor &fill, const QColor &edge)
{
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    const qreal cx = r.center().x();
    QPainterPath path;
    path.moveTo(cx, t);
    path.cubicTo(cx + 0.22 * w, t + 0.10 * h, cx + 0.38 * w, t + 0.12 * h, l + w, t + 0.12 * h);
    path.lineTo(l + w, t + 0.48 * h);
    path.cubicTo(l + w, t + 0.75 * h, cx + 0.22 * w, t + 0.90 * h, cx, t + h);
    path.cubicTo(cx - 0.22 * w, t + 0.90 * h, l, t + 0.75 * h, l, t + 0.48 * h);
    path.lineTo(l, t + 0.12 * h);
    path.cubicTo(cx - 0.38 * w, t + 0.12 * h, cx - 0.22 * w, t + 0.10 * h, cx, t);
    path.closeSubpath();

    p.setPen(QPen(edge, qMax<qreal>(2.0, w * 0.045)));
    p.setBrush(fill);
    p.drawPath(path);

    p.setPen(edge);
    p.setFont(makeFont(w * 0.28, true));
    p.drawText(QRectF(l, t + 0.12 * h, w, 0.62 * h), Qt::AlignCenter, QStringLiteral("BHP"));
}

QImage newCanvas()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(kBackground);
    return img;
}

bool saveJpeg(const QImage &img, const QString &path)
{
    if (img.save(path, "JPG", kJpegQuality))
        return true;
    printErr(QStringLiteral("%1: cannot write image").arg(path));
    return false;
}

// Renders one content slide: band with the topic name, bullets, footer caption.
QImage renderSlide(const QString &title, const Record &rec)
{
    const QString name = glueShortWords(rec.name);
    QStringList bullets;
    for (const QString &b : rec.bullets)
        bullets << glueShortWords(b);

    QImage img = newCanvas();
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    // Top band with the shield decoration on the right.
    constexpr qreal bandH = 150, margin = 56;
    p.fillRect(QRectF(0, 0, kWidth, bandH), kBand);
    p.fillRect(QRectF(0, bandH, kWidth, 6), kAccent);
    const QRectF shield(kWidth - margin - 78, 26, 78, 96);
    drawShield(p, shield, kAccent, Qt::white);

    // Topic name: up to two lines, shrinking the font if needed.
    const QRectF nameBox(margin, 18, shield.left() - 30 - margin, bandH - 36);
    const QFont nameFont = fitFont(&img, name, nameBox.size(), 40, 20, true, 2);
    p.setPen(Qt::white);
    p.setFont(nameFont);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, name);

    // Footer strip with the framework topic's title.
    constexpr qreal footerH = 46;
    const QRectF footer(0, kHeight - footerH, kWidth, footerH);
    p.fillRect(footer, kFooter);
    const QFont captionFont = makeFont(16, false);
    p.setFont(captionFont);
    p.setPen(kFooterText);
    const QRectF captionBox = footer.adjusted(margin, 0, -margin - 60, 0);
    const QString caption = QFontMetricsF(captionFont, &img)
                                .elidedText(title, Qt::ElideRight, captionBox.width());
    p.drawText(captionBox, Qt::AlignLeft | Qt::AlignVCenter, caption);
    p.setFont(makeFont(16, true));
    p.setPen(kBand);
    p.drawText(footer.adjusted(0, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("BHP"));

    // Bullets: the largest font size at which all of them fit the body area.
    const QRectF body(margin, bandH + 6 + 44, kWidth - 2 * margin, 0);
    const qreal bodyBottom = footer.top() - 30;
    qreal size = 32;
    qreal gap = 0;
    for (;; size -= 1) {
        const QFont font = makeFont(size, false);
        const qreal indent = size * 1.3;
        gap = size * 0.75;
        qreal total = 0;
        bool ok = true;
        for (const QString &b : bullets) {
            const qreal h = wrappedHeight(font, &img, body.width() - indent, b);
            ok = ok && h >= 0;
            total += qMax<qreal>(h, 0) + gap;
        }
        if ((ok && body.top() + total - gap <= bodyBottom) || size <= 14)
            break;
    }

    const QFont font = makeFont(size, false);
    const QFontMetricsF fm(font, &img);
    const qreal indent = size * 1.3;
    const qreal radius = size * 0.2;
    p.setFont(font);
    qreal y = body.top();
    for (const QString &b : bullets) {
        const qreal h = qMax<qreal>(wrappedHeight(font, &img, body.width() - indent, b),
                                    fm.lineSpacing());
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        const qreal cy = y + fm.ascent() - fm.xHeight() / 2;
        p.drawEllipse(QPointF(body.left() + radius + 2, cy), radius, radius);
        p.setPen(kText);
        p.drawText(QRectF(body.left() + indent, y, body.width() - indent, h),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, b);
        y += h + gap;
    }
    p.end();
    return img;
}

// Renders a title page for a training type.
QImage renderFront(const QString &typeName)
{
    const QString name = glueShortWords(typeName);
    QImage img = newCanvas();
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    constexpr qreal bandH = 250, margin = 80;
    p.fillRect(QRectF(0, 0, kWidth, bandH), kBand);
    p.fillRect(QRectF(0, bandH, kWidth, 8), kAccent);
    drawShield(p, QRectF(kWidth / 2.0 - 50, 24, 100, 122), kAccent, Qt::white);

    p.setPen(Qt::white);
    p.setFont(makeFont(58, true));
    p.drawText(QRectF(0, 150, kWidth, 90), Qt::AlignCenter, QStringLiteral("Szkolenie BHP"));

    // Training type name, centred and shrunk to fit its box.
    const QRectF nameBox(margin, bandH + 60, kWidth - 2 * margin, 330);
    const QFont nameFont = fitFont(&img, name, nameBox.size(), 46, 20, true, 6);
    p.setFont(nameFont);
    p.setPen(kBand.darker(120));
    p.drawText(nameBox, Qt::AlignCenter | Qt::TextWordWrap, name);

    // Footer strip with a thin accent line.
    const QRectF footer(0, kHeight - 60, kWidth, 60);
    p.fillRect(footer, kFooter);
    p.fillRect(QRectF(0, footer.top(), kWidth, 4), kAccent);
    p.end();
    return img;
}

int runTopic(const QString &inPath, const QString &outDir)
{
    const std::optional<Topic> topic = parseTopic(inPath);
    if (!topic)
        return 1;
    if (!QDir().mkpath(outDir)) {
        printErr(QStringLiteral("%1: cannot create directory").arg(outDir));
        return 1;
    }
    const QDir dir(outDir);

    QString src = topic->title + QLatin1Char('\n');
    int slideNo = 0;
    for (const Record &r : topic->records) {
        src += QStringLiteral("%1\t%2\t%3\t%4")
                   .arg(r.depth)
                   .arg(r.heading ? 1 : 0)
                   .arg(r.slide ? 1 : 0)
                   .arg(r.name);
        if (r.slide) {
            const QString file = QStringLiteral("slide-%1.jpg").arg(++slideNo, 3, 10, QLatin1Char('0'));
            if (!saveJpeg(renderSlide(topic->title, r), dir.filePath(file)))
                return 1;
            src += QLatin1Char('\t') + file;
        }
        src += QLatin1Char('\n');
    }

    QFile out(dir.filePath(QStringLiteral("library.src")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(src.toUtf8()) < 0 || !out.flush()) {
        printErr(QStringLiteral("%1: cannot write: %2").arg(out.fileName(), out.errorString()));
        return 1;
    }
    return 0;
}

int runFront(const QString &outDir, const QStringList &names)
{
    if (!QDir().mkpath(outDir)) {
        printErr(QStringLiteral("%1: cannot create directory").arg(outDir));
        return 1;
    }
    const QDir dir(outDir);
    for (int i = 0; i < names.size(); ++i) {
        const QString file = dir.filePath(QStringLiteral("front-%1.jpg").arg(i + 1));
        if (!saveJpeg(renderFront(names.at(i)), file))
            return 1;
    }
    return 0;
}

void usage()
{
    printErr(QStringLiteral("usage: marbelo-demo-slides topic IN.txt OUTDIR\n"
                            "       marbelo-demo-slides front OUTDIR [NAME1 NAME2 ... NAME6]"));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();

    if (args.size() == 4 && args[1] == QLatin1String("topic"))
        return runTopic(args[2], args[3]);
    if (args.size() == 9 && args[1] == QLatin1String("front"))
        return runFront(args[2], args.mid(3));
    if (args.size() == 3 && args[1] == QLatin1String("front")) {
        QStringList names;
        for (int type = 0; type < marbelo::kTrainingTypeCount; ++type)
            names << marbelo::trainingTypeName(type);
        return runFront(args[2], names);
    }
    usage();
    return 1;
}
