#include "support/SlideSources.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <gtest/gtest.h>
#include <hpdf.h>

#include <array>
#include <memory>

namespace testing_support {

namespace {

void onHaruError(HPDF_STATUS error, HPDF_STATUS detail, void *)
{
    ADD_FAILURE() << "libharu error 0x" << std::hex << error << " detail " << std::dec << detail;
}

struct HaruFree
{
    void operator()(HPDF_Doc doc) const { HPDF_Free(doc); }
};

quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (char b : bytes)
        c = table[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian(value, out.data());
    return out;
}

} // namespace

void writePdf(const QString &path, int pages, const std::vector<PdfBookmark> &bookmarks, QSizeF pageSize,
              const char *password)
{
    std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, HaruFree> pdf(HPDF_New(onHaruError, nullptr));
    ASSERT_TRUE(pdf);
    HPDF_SetCompressionMode(pdf.get(), HPDF_COMP_ALL);
    std::vector<HPDF_Page> made;
    for (int i = 0; i < pages; ++i) {
        HPDF_Page page = HPDF_AddPage(pdf.get());
        HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(pageSize.width()));
        HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(pageSize.height()));
        const QColor colour = QColor::fromHsv((i * 47) % 360, 200, 220);
        HPDF_Page_SetRGBFill(page, static_cast<HPDF_REAL>(colour.redF()), static_cast<HPDF_REAL>(colour.greenF()),
                             static_cast<HPDF_REAL>(colour.blueF()));
        HPDF_Page_Rectangle(page, 20, 20, static_cast<HPDF_REAL>(pageSize.width() / 2),
                            static_cast<HPDF_REAL>(pageSize.height() / 2));
        HPDF_Page_Fill(page);
        made.push_back(page);
    }
    std::vector<HPDF_Outline> parents; // the last bookmark at each level
    for (const PdfBookmark &b : bookmarks) {
        ASSERT_LE(b.level, static_cast<int>(parents.size()));
        parents.resize(static_cast<std::size_t>(b.level));
        HPDF_Outline parent = parents.empty() ? nullptr : parents.back();
        const QByteArray title = b.title.toLatin1();
        HPDF_Outline outline = HPDF_CreateOutline(pdf.get(), parent, title.constData(), nullptr);
        HPDF_Destination destination = HPDF_Page_CreateDestination(made.at(static_cast<std::size_t>(b.page)));
        HPDF_Outline_SetDestination(outline, destination);
        HPDF_Outline_SetOpened(outline, HPDF_TRUE);
        parents.push_back(outline);
    }
    if (password) {
        HPDF_SetPassword(pdf.get(), "owner-secret", password);
        HPDF_SetEncryptionMode(pdf.get(), HPDF_ENCRYPT_R3, 16);
    }
    ASSERT_EQ(HPDF_SaveToFile(pdf.get(), path.toLocal8Bit().constData()), HPDF_OK);
}

QByteArray pdfFromObjects(const std::vector<QByteArray> &objects)
{
    QByteArray pdf = "%PDF-1.4\n";
    std::vector<qsizetype> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += QByteArray::number(qulonglong(i + 1)) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(qulonglong(objects.size() + 1)) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(qulonglong(objects.size() + 1))
           + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray pdfWithOutline(const std::vector<QByteArray> &items)
{
    std::vector<QByteArray> objects = {
        "<< /Type /Catalog /Pages 4 0 R /Outlines 3 0 R >>",
        "<< /Type /Page /Parent 4 0 R /MediaBox [0 0 720 405] >>",
        "<< /Type /Outlines /First 5 0 R /Count " + QByteArray::number(qulonglong(items.size())) + " >>",
        "<< /Type /Pages /Kids [2 0 R] /Count 1 >>",
    };
    for (std::size_t i = 0; i < items.size(); ++i)
        objects.push_back("<< /Title (Pozycja " + QByteArray::number(qulonglong(i)) + ") /Parent 3 0 R " + items[i]
                          + " /Dest [2 0 R /Fit] >>");
    return pdfFromObjects(objects);
}

QByteArray slowPagePdf()
{
    QByteArray content;
    for (int i = 0; i < 4000; ++i) {
        const int x = (i * 7919) % 720, y = (i * 104729) % 405;
        content += QByteArray::number(x) + ' ' + QByteArray::number(y) + " m " + QByteArray::number(720 - x) + ' '
                   + QByteArray::number(405 - y) + " l S\n";
    }
    const QByteArray packed = qCompress(content).mid(4); // a zlib stream, as FlateDecode holds
    return pdfFromObjects({
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 720 405] /Contents 4 0 R >>",
        "<< /Length " + QByteArray::number(packed.size()) + " /Filter /FlateDecode >>\nstream\n" + packed
            + "\nendstream",
    });
}

QByteArray pdfWithoutPages()
{
    QByteArray pdf = "%PDF-1.4\n";
    const qsizetype catalog = pdf.size();
    pdf += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    const qsizetype pages = pdf.size();
    pdf += "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 3\n0000000000 65535 f \n";
    pdf += QByteArray::number(catalog).rightJustified(10, '0') + " 00000 n \n";
    pdf += QByteArray::number(pages).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray jpegWithOrientation(const QByteArray &jpeg, int orientation)
{
    // TIFF header (little-endian), one IFD entry: tag 0x0112, SHORT, count 1.
    QByteArray tiff("II\x2A\x00\x08\x00\x00\x00", 8);
    tiff += QByteArray("\x01\x00", 2);                         // one entry
    tiff += QByteArray("\x12\x01\x03\x00\x01\x00\x00\x00", 8); // orientation, SHORT, 1
    tiff += char(orientation);
    tiff += QByteArray(3, '\0');
    tiff += QByteArray(4, '\0'); // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment += char((payload.size() + 2) >> 8);
    segment += char((payload.size() + 2) & 0xFF);
    segment += payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    const QByteArray data = QByteArray("IHDR") + bigEndian32(width) + bigEndian32(height)
                            + QByteArray("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    // An empty data chunk and the end chunk: the reader stops at the data.
    const auto chunk = [](const QByteArray &type) { return bigEndian32(0) + type + bigEndian32(crc32(type)); };
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + bigEndian32(13) + data + bigEndian32(crc32(data))
           + chunk("IDAT") + chunk("IEND");
}

QByteArray pictureBytes(int width, int height, const char *format, bool alpha)
{
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 255 / width, y * 255 / height, 128, alpha ? 0 : 255));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return buffer.data();
}

} // namespace testing_support
