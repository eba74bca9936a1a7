#include "store/components/JpegDecoder.h"

#include <turbojpeg.h>

#include <memory>

namespace marbelo {

namespace {

// Owns one TurboJPEG decompressor; destroyed on every path out.
struct TjDestroy
{
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Decompressor = std::unique_ptr<void, TjDestroy>;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString tjError(tjhandle handle)
{
    return QString::fromLocal8Bit(tjGetErrorStr2(handle));
}

struct Header
{
    QSize size;
    int colorspace = TJCS_RGB;
};

// Reads the frame header; false with an error text when it cannot be read.
bool readHeader(tjhandle handle, const QByteArray &jpeg, Header *header, QString *error)
{
    if (jpeg.isEmpty()) {
        setError(error, QStringLiteral("no JPEG data"));
        return false;
    }
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                            static_cast<unsigned long>(jpeg.size()), &width, &height, &subsampling,
                            &colorspace)
        != 0) {
        setError(error, QStringLiteral("unreadable JPEG header: ") + tjError(handle));
        return false;
    }
    if (width <= 0 || height <= 0) {
        setError(error, QStringLiteral("JPEG header without a picture size"));
        return false;
    }
    header->size = QSize(width, height);
    header->colorspace = colorspace;
    return true;
}

// Adobe applications store CMYK inverted (255 = no ink), and so do the CMYK
// readers of libjpeg-turbo's own tools and of Qt; the conversion follows them.
void cmykToRgb(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        uchar *p = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 4) {
            const int k = p[3];
            const QRgb rgb = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
            *reinterpret_cast<QRgb *>(p) = rgb;
        }
    }
}

} // namespace

bool isDecodableJpegSize(QSize fullSize)
{
    return fullSize.width() > 0 && fullSize.height() > 0 && fullSize.width() <= kMaxJpegSide
           && fullSize.height() <= kMaxJpegSide
           && qint64(fullSize.width()) * fullSize.height() <= kMaxJpegPixels;
}

QSize jpegImageSize(const QByteArray &jpeg)
{
    const Decompressor handle(tjInitDecompress());
    Header header;
    if (!handle || !readHeader(handle.get(), jpeg, &header, nullptr))
        return QSize();
    return header.size;
}

QSize scaledDecodeSize(QSize fullSize, QSize target)
{
    if (!target.isValid() || fullSize.isEmpty())
        return fullSize;
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    QSize best = fullSize;
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num <= 0 || f.denom <= 0 || f.num > f.denom)
            continue;
        const QSize scaled(TJSCALED(fullSize.width(), f), TJSCALED(fullSize.height(), f));
        if (scaled.width() >= target.width() && scaled.height() >= target.height()
            && scaled.width() <= best.width() && scaled.height() <= best.height())
            best = scaled;
    }
    return best;
}

QImage decodeJpeg(const QByteArray &jpeg, QSize target, QString *error)
{
    const Decompressor handle(tjInitDecompress());
    if (!handle) {
        setError(error, QStringLiteral("no JPEG decompressor: ") + tjError(nullptr));
        return QImage();
    }
    Header header;
    if (!readHeader(handle.get(), jpeg, &header, error))
        return QImage();
    if (!isDecodableJpegSize(header.size)) {
        setError(error, QStringLiteral("JPEG picture too large: %1 x %2")
                            .arg(header.size.width())
                            .arg(header.size.height()));
        return QImage();
    }

    const QSize size = scaledDecodeSize(header.size, target);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("no memory for a %1 x %2 picture")
                            .arg(size.width())
                            .arg(size.height()));
        return QImage();
    }

    // Format_RGB32 holds 0xffRRGGBB words; the alpha-filling formats make
    // libjpeg-turbo write the 0xff byte that Qt expects there.
    const bool cmyk = header.colorspace == TJCS_CMYK || header.colorspace == TJCS_YCCK;
    const int pixelFormat = cmyk ? TJPF_CMYK
                                 : (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRA : TJPF_ARGB);
    // Warnings (premature end of data, corrupt entropy data) stop the decode, so
    // a damaged file never gives a partly grey picture.
    const int flags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;
    if (tjDecompress2(handle.get(), reinterpret_cast<const unsigned char *>(jpeg.constData()),
                      static_cast<unsigned long>(jpeg.size()), image.bits(), size.width(),
                      int(image.bytesPerLine()), size.height(), pixelFormat, flags)
        != 0) {
        const bool warning = tjGetErrorCode(handle.get()) == TJERR_WARNING;
        setError(error, (warning ? QStringLiteral("damaged JPEG data: ")
                                 : QStringLiteral("JPEG decode failed: "))
                            + tjError(handle.get()));
        return QImage();
    }
    if (cmyk)
        cmykToRgb(image);
    setError(error, QString());
    return image;
}

} // namespace marbelo
