// Slide decoding: sizes, colours, DCT-domain scaling and damaged data.

#include "store/components/JpegDecoder.h"
#include "support/Fixtures.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <random>

using namespace marbelo;
using namespace testing_support;

namespace {

QByteArray encode(const QImage &image, bool progressive = false, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

constexpr QRgb kQuadrants[4] = {0xFFCC2020, 0xFF20B040, 0xFF2040D0, 0xFFF0F0F0};

// Four flat quadrants: red, green / blue, white.
QImage quadrantPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, kQuadrants[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)]);
    return image;
}

bool near(QRgb a, QRgb b, int tolerance = 24)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

void expectQuadrants(const QImage &image)
{
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const QPoint centres[4] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(near(image.pixel(centres[i]), kQuadrants[i]))
            << "quadrant " << i << ": " << std::hex << image.pixel(centres[i]);
}

// Offset of the first segment with this marker, walking the segments from SOI; -1 if none.
qsizetype segment(const QByteArray &jpeg, uchar marker)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        if (uchar(jpeg[at + 1]) == marker)
            return at;
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return -1;
}

QByteArray withDeclaredSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = segment(jpeg, 0xC0);
    EXPECT_GT(sof, 0);
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width);
    return jpeg;
}

} // namespace

TEST(JpegDecode, FullDecodeKeepsSizeAndColours)
{
    for (const QSize size : {QSize(64, 48), QSize(33, 17), QSize(640, 480), QSize(18, 1000)}) {
        SCOPED_TRACE(size.width() * 10000 + size.height());
        const QByteArray jpeg = encode(quadrantPicture(size.width(), size.height()));
        EXPECT_EQ(jpegImageSize(jpeg), size);
        QString error = QStringLiteral("left over");
        const QImage image = decodeJpeg(jpeg, QSize(), &error);
        EXPECT_EQ(image.size(), size);
        EXPECT_TRUE(error.isEmpty());
        expectQuadrants(image);
    }
}

TEST(JpegDecode, ScaledAndProgressiveDecodesKeepColours)
{
    for (const bool progressive : {false, true}) {
        const QByteArray jpeg = encode(quadrantPicture(800, 600), progressive);
        for (const QSize target : {QSize(400, 300), QSize(190, 140), QSize(90, 70)}) {
            const QImage image = decodeJpeg(jpeg, target);
            EXPECT_EQ(image.size(), scaledDecodeSize(QSize(800, 600), target));
            expectQuadrants(image);
        }
    }
}

TEST(JpegDecode, GreyscalePictureDecodesGrey)
{
    QImage grey(40, 30, QImage::Format_Grayscale8);
    grey.fill(0x80);
    const QByteArray jpeg = encode(grey);
    tjhandle handle = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colorspace = -1;
    tjDecompressHeader3(handle, reinterpret_cast<const uchar *>(jpeg.constData()), jpeg.size(), &width,
                        &height, &subsampling, &colorspace);
    tjDestroy(handle);
    ASSERT_EQ(colorspace, TJCS_GRAY);
    const QImage image = decodeJpeg(jpeg);
    ASSERT_EQ(image.size(), QSize(40, 30));
    for (const QPoint p : {QPoint(0, 0), QPoint(20, 15), QPoint(39, 29)}) {
        const QRgb c = image.pixel(p);
        EXPECT_EQ(qRed(c), qGreen(c));
        EXPECT_EQ(qGreen(c), qBlue(c));
        EXPECT_NEAR(qRed(c), 0x80, 3);
    }
}

TEST(JpegDecode, CmykPictureDecodesLikeQtsOwnReader)
{
    // Components stored inverted, as Adobe applications write them.
    const int w = 32, h = 32;
    QByteArray cmyk(w * h * 4, Qt::Uninitialized);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = kQuadrants[(y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0)];
            uchar *p = reinterpret_cast<uchar *>(cmyk.data()) + (y * w + x) * 4;
            p[0] = uchar(qRed(c)), p[1] = uchar(qGreen(c)), p[2] = uchar(qBlue(c)), p[3] = 255;
        }
    tjhandle compressor = tjInitCompress();
    ASSERT_NE(compressor, nullptr);
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjCompress2(compressor, reinterpret_cast<const uchar *>(cmyk.constData()), w, 0, h,
                               TJPF_CMYK, &out, &outSize, TJSAMP_444, 95, 0);
    const QByteArray jpeg(reinterpret_cast<const char *>(out), qsizetype(outSize));
    tjFree(out);
    tjDestroy(compressor);
    ASSERT_EQ(rc, 0);

    const QImage image = decodeJpeg(jpeg);
    expectQuadrants(image);
    const QImage qt = QImage::fromData(jpeg, "JPEG");
    ASSERT_EQ(qt.size(), image.size());
    for (const QPoint p : {QPoint(8, 8), QPoint(24, 8), QPoint(8, 24), QPoint(24, 24)})
        EXPECT_TRUE(near(image.pixel(p), qt.pixel(p), 4));
}

TEST(JpegScaling, SmallestCoveringFactorIsChosen)
{
    struct Case
    {
        QSize full, target, expected;
    };
    const Case cases[] = {
        {{1920, 1080}, {346, 194}, {480, 270}},    // 1/4
        {{800, 600}, {346, 259}, {400, 300}},      // 1/2
        {{800, 600}, {400, 300}, {400, 300}},      // exactly half
        {{800, 600}, {401, 300}, {500, 375}},      // just over half: 5/8
        {{800, 600}, {100, 75}, {100, 75}},        // 1/8
        {{800, 600}, {10, 10}, {100, 75}},         // no factor below 1/8
        {{801, 601}, {101, 76}, {101, 76}},        // scaled sizes round up
        {{1920, 1080}, {1000, 100}, {1200, 675}},  // the width decides
        {{1920, 1080}, {100, 600}, {1200, 675}},   // the height decides
        {{800, 600}, {800, 600}, {800, 600}},      // same size
        {{800, 600}, {1000, 700}, {800, 600}},     // bigger target: never enlarged
        {{800, 600}, {801, 10}, {800, 600}},       // wider target only
        {{800, 600}, QSize(), {800, 600}},         // no target
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.full.width() << "x" << c.full.height() << " to "
                                        << c.target.width() << "x" << c.target.height());
        EXPECT_EQ(scaledDecodeSize(c.full, c.target), c.expected);
        const QImage image = decodeJpeg(makeJpeg(c.full.width(), c.full.height()), c.target);
        EXPECT_EQ(image.size(), c.expected);
    }
}

TEST(JpegDamage, EveryTruncationFails)
{
    QImage grey(48, 40, QImage::Format_Grayscale8);
    grey.fill(0x40);
    const QByteArray pictures[] = {encode(quadrantPicture(64, 48)), encode(quadrantPicture(64, 48), true),
                                   encode(grey)};
    for (const QByteArray &jpeg : pictures) {
        ASSERT_FALSE(decodeJpeg(jpeg).isNull());
        for (qsizetype cut = 0; cut < jpeg.size(); ++cut) {
            SCOPED_TRACE(cut);
            QString error;
            EXPECT_TRUE(decodeJpeg(jpeg.left(cut), QSize(), &error).isNull());
            EXPECT_FALSE(error.isEmpty());
            EXPECT_TRUE(decodeJpeg(jpeg.left(cut), QSize(16, 12)).isNull());
        }
    }
}

TEST(JpegDamage, TruncatedLargeProgressivePictureFails)
{
    // Progressive data cut short would otherwise give a picture with grey gaps.
    const QByteArray jpeg = encode(quadrantPicture(320, 240), true);
    for (qsizetype cut = 0; cut < jpeg.size(); cut += 37) {
        SCOPED_TRACE(cut);
        EXPECT_TRUE(decodeJpeg(jpeg.left(cut)).isNull());
        EXPECT_TRUE(decodeJpeg(jpeg.left(cut), QSize(80, 60)).isNull());
    }
}

TEST(JpegDamage, BytesAfterTheEndMarkerAreIgnored)
{
    const QByteArray jpeg = encode(quadrantPicture(64, 48));
    ASSERT_TRUE(jpeg.endsWith("\xFF\xD9"));
    const QImage whole = decodeJpeg(jpeg);
    const QByteArray padded = jpeg + QByteArray("\x00\xFF\xD8 trailing bytes \xFF", 20);
    for (qsizetype cut = jpeg.size(); cut <= padded.size(); ++cut)
        EXPECT_EQ(decodeJpeg(padded.left(cut)), whole) << cut;
}

TEST(JpegDamage, BrokenHeadersFail)
{
    const QByteArray jpeg = encode(quadrantPicture(64, 48));
    const qsizetype sof = segment(jpeg, 0xC0), sos = segment(jpeg, 0xDA);
    ASSERT_GT(sof, 0);
    ASSERT_GT(sos, 0);
    struct Case
    {
        const char *what;
        qsizetype at;
        char value;
    };
    const Case cases[] = {
        {"no start marker", 1, '\x00'},
        {"lossless frame", sof + 1, '\xC3'},
        {"12-bit samples", sof + 4, 12},
        {"no components", sof + 9, 0},
        {"undefined Huffman tables", sos + 6, '\x33'},
    };
    for (const Case &c : cases) {
        QByteArray broken = jpeg;
        broken[c.at] = c.value;
        QString error;
        EXPECT_TRUE(decodeJpeg(broken, QSize(), &error).isNull()) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}

TEST(JpegDamage, RandomCorruptionNeverGivesAWrongSizedPicture)
{
    const QByteArray jpeg = encode(quadrantPicture(96, 64), false, 75);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<qsizetype> position(0, jpeg.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255), count(1, 4);
    int failed = 0;
    const int rounds = 400;
    for (int round = 0; round < rounds; ++round) {
        QByteArray broken = jpeg;
        for (int n = count(random); n > 0; --n)
            broken[position(random)] = char(byte(random));
        for (const QSize target : {QSize(), QSize(30, 20)}) {
            QString error;
            const QImage image = decodeJpeg(broken, target, &error);
            if (image.isNull()) {
                EXPECT_FALSE(error.isEmpty());
                ++failed;
            } else {
                // A change the format cannot notice still gives a whole picture of the declared size.
                EXPECT_EQ(image.size(), scaledDecodeSize(jpegImageSize(broken), target)) << round;
            }
        }
    }
    EXPECT_GT(failed, rounds / 2); // of 2 * rounds decodes
}

TEST(JpegDamage, NotAJpegFails)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(quadrantPicture(8, 8).save(&buffer, "PNG"));
    for (const QByteArray &bytes : {QByteArray(), QByteArray("hello"), QByteArray("\xFF\xD8"), png}) {
        QString error;
        EXPECT_TRUE(decodeJpeg(bytes, QSize(), &error).isNull());
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(jpegImageSize(bytes).isValid());
    }
}

TEST(JpegDamage, AbsurdDeclaredSizeIsRefusedBeforeDecoding)
{
    const QByteArray jpeg = makeJpeg(16, 16);
    for (const QSize size : {QSize(65500, 65500), QSize(16385, 16), QSize(16, 16385), QSize(12000, 9000)}) {
        const QByteArray crafted = withDeclaredSize(jpeg, size.width(), size.height());
        EXPECT_EQ(jpegImageSize(crafted), size);
        QString error;
        EXPECT_TRUE(decodeJpeg(crafted, QSize(), &error).isNull());
        EXPECT_TRUE(error.contains(QStringLiteral("too large"))) << error.toStdString();
    }
    // Beyond what the JPEG library itself accepts, the header is already unreadable.
    const QByteArray beyond = withDeclaredSize(jpeg, 65535, 65535);
    EXPECT_FALSE(jpegImageSize(beyond).isValid());
    EXPECT_TRUE(decodeJpeg(beyond).isNull());
}

TEST(JpegDamage, SizeLimits)
{
    const struct
    {
        QSize size;
        bool decodable;
    } cases[] = {
        {{1, 1}, true},          {{16384, 1}, true},     {{16385, 1}, false},
        {{1, 16385}, false},     {{10000, 10000}, true}, {{16384, 6103}, true},
        {{16384, 6104}, false},  {{0, 10}, false},       {{10, 0}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isDecodableJpegSize(c.size), c.decodable) << c.size.width() << "x" << c.size.height();
}
