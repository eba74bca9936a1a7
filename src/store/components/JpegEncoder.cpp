#include "store/components/JpegEncoder.h"

#include <QtEndian>

#include <turbojpeg.h>

#include <memory>

namespace marbelo {

namespace {

struct TjDestroy
{
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Compressor = std::unique_ptr<void, TjDestroy>;

struct TjFree
{
    void operator()(unsigned char *buffer) const { tjFree(buffer); }
};

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

QImage onWhite(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    // Premultiplied colour over white: c + (255 - alpha) in every channel.
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const int rest = 255 - qAlpha(p);
            line[x] = qRgb(qRed(p) + rest, qGreen(p) + rest, qBlue(p) + rest);
        }
    }
    out.reinterpretAsFormat(QImage::Format_RGB32);
    return out;
}

bool encodeJpeg(const QImage &picture, QByteArray *jpeg, QString *error, int quality)
{
    if (picture.isNull()) {
        setError(error, QStringLiteral("no picture to encode"));
        return false;
    }
    const QImage rgb = onWhite(picture);
    Compressor handle(tjInitCompress());
    if (!handle) {
        setError(error, QString::fromLocal8Bit(tjGetErrorStr2(nullptr)));
        return false;
    }
    // Format_RGB32 is 0xffRRGGBB in native byte order.
    const int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle.get(), rgb.constBits(), rgb.width(), static_cast<int>(rgb.bytesPerLine()),
                                   rgb.height(), pixelFormat, &buffer, &size, TJSAMP_420, quality, 0);
    const std::unique_ptr<unsigned char, TjFree> owned(buffer);
    if (result != 0 || !buffer) {
        setError(error, QString::fromLocal8Bit(tjGetErrorStr2(handle.get())));
        return false;
    }
    *jpeg = QByteArray(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    return true;
}

bool isBaselineJpeg(const QByteArray &jpeg)
{
    const auto *p = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const qsizetype n = jpeg.size();
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    qsizetype at = 2;
    while (at + 4 <= n) {
        if (p[at] != 0xFF)
            return false;
        const unsigned char marker = p[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        // SOF0 is baseline; every other frame header (SOF1..SOF15; C4, C8
        // and CC are DHT, JPG and DAC, not frames) is not, and neither is a
        // scan or the end before any frame header.
        if (marker == 0xC0)
            return true;
        if ((marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            || marker == 0xDA || marker == 0xD9)
            return false;
        const int length = qFromBigEndian<quint16>(p + at + 2);
        if (length < 2)
            return false;
        at += 2 + length;
    }
    return false;
}

} // namespace marbelo
