// Writes the small starting corpora of the fuzz targets: a few detailed topics of
// a demo framework topic with tiny slides, a catalogue, an outline, an image
// store with its front-page file, a presentation file and a handful of JPEGs.
// Usage: fuzz-seeds DEMO_TOPIC.txt OUTDIR

#include "store/Cp1250.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/TopicFile.h"
#include "store/components/Coding.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <turbojpeg.h>

#include <cstdio>
#include <vector>

using namespace marbelo;

namespace {

bool failed = false;

void write(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        failed = true;
    }
}

// A small picture with a diagonal stripe, as the tests draw them.
QByteArray jpeg(int width, int height, int subsampling, int flags = 0, bool grey = false)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 3));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char *p = &pixels[static_cast<size_t>((y * width + x) * 3)];
            const bool stripe = x == y;
            p[0] = stripe ? 255 : static_cast<unsigned char>(0x33 + 8 * x);
            p[1] = stripe ? 255 : 0x66;
            p[2] = stripe ? 255 : static_cast<unsigned char>(0xCC - 8 * y);
        }
    }
    tjhandle handle = tjInitCompress();
    unsigned char *out = nullptr;
    unsigned long size = 0;
    QByteArray bytes;
    if (tjCompress2(handle, pixels.data(), width, 0, height, TJPF_RGB, &out, &size,
                    grey ? TJSAMP_GRAY : subsampling, 75, flags) == 0)
        bytes = QByteArray(reinterpret_cast<const char *>(out), static_cast<qsizetype>(size));
    else
        failed = true;
    tjFree(out);
    tjDestroy(handle);
    return bytes;
}

QByteArray cp1250(const QString &text)
{
    QByteArray bytes;
    if (!encodeCp1250(text, &bytes))
        failed = true;
    return bytes;
}

QByteArray recordBytes(const RecordBytes &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.data()), kRecordSize);
}

QByteArray training(const QString &name, int type, int deleted)
{
    RecordBytes record;
    if (!packTrainingRecord({name, type, deleted}, &record))
        failed = true;
    return recordBytes(record);
}

QByteArray item(const QString &name, int level, ItemReference reference)
{
    RecordBytes record;
    if (!packOutlineRecord({name, level, reference}, &record))
        failed = true;
    return recordBytes(record);
}

// Input for a target that takes strings and numbers apart: strings from the
// front (a backslash doubled, a backslash and another byte ending a string),
// numbers from the back, the first one taken being the last byte.
class Structured
{
public:
    void string(const QByteArray &bytes)
    {
        for (char c : bytes) {
            m_front += c;
            if (c == '\\')
                m_front += c;
        }
        m_front += "\\;";
    }
    void byte(unsigned char value) { m_back.prepend(static_cast<char>(value)); }
    void uint32(std::uint32_t value)
    {
        // Taken as four bytes, the most significant first.
        for (int shift = 24; shift >= 0; shift -= 8)
            byte(static_cast<unsigned char>(value >> shift));
    }
    QByteArray bytes() const { return m_front + m_back; }

private:
    QByteArray m_front;
    QByteArray m_back;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz-seeds DEMO_TOPIC.txt OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QFile demo(QString::fromLocal8Bit(argv[1]));
    if (!demo.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QStringList lines = QString::fromUtf8(demo.readAll()).split(QLatin1Char('\n'));

    const QByteArray slideA = jpeg(8, 8, TJSAMP_420);
    const QByteArray slideB = jpeg(16, 12, TJSAMP_444, TJFLAG_PROGRESSIVE);
    const QByteArray slideC = jpeg(24, 16, TJSAMP_422, 0, true);

    // Topic files: the demo title and its first detailed topics.
    std::vector<TopicRecordSource> records;
    for (int i = 1; i < lines.size() && records.size() < 6; ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        if (fields.size() != 4)
            continue;
        TopicRecordSource r{cp1250(fields[3]), cp1250(fields[0]), cp1250(fields[1]), cp1250(fields[2]), {}};
        if (r.slide != "0")
            r.jpeg = records.size() % 2 ? slideA : slideC;
        records.push_back(r);
    }
    const QByteArray title = cp1250(lines.value(0).trimmed());
    write(out + QStringLiteral("/topic_file"), QStringLiteral("demo.mdl"), buildTopicFile(title, records));
    write(out + QStringLiteral("/topic_file"), QStringLiteral("title-only.mdl"), buildTopicFile(title, {}));
    write(out + QStringLiteral("/topic_file"), QStringLiteral("marks.mdl"),
          buildTopicFile("Znaczniki", {{"Rozdział", "0", "1", "0", {}},
                                       {"Slajd dwa", "1", "0", "2", slideA},
                                       {"Skok", "3", "0", "1", slideA},
                                       {"Nie liczba", "x", "1", "1", slideA},
                                       {"Wstecz", "1", "0", "0", {}}}));

    // Catalogue and outline.
    write(out + QStringLiteral("/catalogue"), QStringLiteral("projects.pdl"),
          training(QStringLiteral("Szkolenie wstępne ogólne"), 0, 0)
              + training(QStringLiteral("Szkolenie okresowe dla pracowników biurowych"), 3, -1)
              + training(QString(128, QChar(0x17C)), 5, 0));
    write(out + QStringLiteral("/catalogue"), QStringLiteral("partial.pdl"),
          training(QStringLiteral("Abc"), 1, 0) + QByteArray("Ab", 2));
    write(out + QStringLiteral("/outline"), QStringLiteral("tree.pdl"),
          item(QStringLiteral("Rozdział 1"), 0, kHeadingFlag) + item(QStringLiteral("Sekcja"), 1, 0)
              + item(QStringLiteral("Temat z slajdem"), 2, 4) + item(QStringLiteral("Podsekcja"), 1, 0)
              + item(QStringLiteral("Rozdział 2"), 0, kHeadingFlag) + item(QStringLiteral("Skok"), 3, 0x1234));

    // Image store and front-page file, taken apart by the slide-block target:
    // type, front page present, front page, store, reference count, each
    // reference (real block or any value), the slide to append.
    const QByteArray front = blockBytes(BCodeToStr(slideA)) + blockBytes(BCodeToStr(slideB))
                             + blockBytes(BCodeToStr(slideC));
    const QByteArray store = kImageStoreMagic + blockBytes(BCodeToStr(slideB)) + blockBytes(BCodeToStr(slideA));
    Structured blocks;
    blocks.byte(1);     // type 0 (range -1..7)
    blocks.byte(1);     // front page present
    blocks.string(front);
    blocks.string(store);
    blocks.byte(3);     // three references
    blocks.byte(1);     // a real block...
    blocks.byte(0);     // ...the first
    blocks.byte(1);
    blocks.byte(1);
    blocks.byte(0);     // any value
    blocks.uint32(kHeadingFlag);
    blocks.string(BCodeToStr(slideC));
    write(out + QStringLiteral("/slide_blocks"), QStringLiteral("store-and-front"), blocks.bytes());

    write(out + QStringLiteral("/presentation_file"), QStringLiteral("view.pnn"),
          blockBytes(BCodeToStr(slideB)) + blockBytes(BCodeToStr(slideA)) + blockBytes(BCodeToStr(slideC)));

    // JPEGs followed by the target size (two bytes each, taken from the back).
    const QByteArray target("\x10\x01\x40\x01", 4);
    write(out + QStringLiteral("/jpeg_decoder"), QStringLiteral("baseline-420.jpg"), slideA + target);
    write(out + QStringLiteral("/jpeg_decoder"), QStringLiteral("progressive-444.jpg"), slideB + target);
    write(out + QStringLiteral("/jpeg_decoder"), QStringLiteral("grey.jpg"), slideC + target);
    write(out + QStringLiteral("/jpeg_decoder"), QStringLiteral("larger-422.jpg"),
          jpeg(64, 48, TJSAMP_422) + QByteArray("\x08\x00\x06\x00", 4));
    return failed ? 1 : 0;
}
