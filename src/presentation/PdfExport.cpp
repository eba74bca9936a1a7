#include "presentation/PdfExport.h"

#include "common/ProgramName.h"
#include "presentation/Compose.h"
#include "presentation/HaruAdapter.h"
#include "store/DataFiles.h"
#include "store/Cp1250.h"
#include "store/SlideBlocks.h"
#include "store/WholeFile.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <hpdf.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <optional>

// The font is compiled into the core library, which is linked statically:
// its resources must be registered by name.
static void registerFontResources()
{
    Q_INIT_RESOURCE(pdffont);
}

namespace marbelo {

namespace {

// A4 portrait, in points.
constexpr float kA4Width = 595.276f;
constexpr float kA4Height = 841.89f;
constexpr float kMargin = 42.0f;
// Width of a page of the "Slajdy" layout; its height follows the slide.
constexpr float kSlidePageWidth = 842.0f;
// The sides a PDF page may have (libharu refuses others).
constexpr float kMinPageSide = 3.0f;
constexpr float kMaxPageSide = 14400.0f;

struct PdfErrors
{
    HPDF_STATUS status = HPDF_OK;
};

void onPdfError(HPDF_STATUS error, HPDF_STATUS, void *data)
{
    auto *errors = static_cast<PdfErrors *>(data);
    if (errors->status == HPDF_OK)
        errors->status = error;
}

struct DocDeleter
{
    void operator()(HPDF_Doc doc) const { HPDF_Free(doc); }
};
using Doc = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, DocDeleter>;

// Windows-1250 bytes of text for the handouts' font; characters the code
// page lacks become "?".
QByteArray pdfText(const QString &text)
{
    QString plain;
    for (QChar c : text)
        plain += canEncodeCp1250(QString(c)) ? c : QLatin1Char('?');
    QByteArray bytes;
    encodeCp1250(plain, &bytes);
    return bytes;
}

// Fits a w × h picture into the box, keeping its proportions, centred.
struct Box
{
    float x, y, width, height;
};
Box fitInto(const Box &box, float w, float h)
{
    const float scale = std::min(box.width / w, box.height / h);
    const float fw = w * scale, fh = h * scale;
    return {box.x + (box.width - fw) / 2, box.y + (box.height - fh) / 2, fw, fh};
}

class HandoutPage
{
public:
    static constexpr int kSlidesPerPage = 3;

    HandoutPage(HPDF_Doc doc, HPDF_Font font, const QByteArray &title) : m_doc(doc), m_font(font), m_title(title) {}

    bool add(HPDF_Image image, int index, int pageCount)
    {
        const int row = index % kSlidesPerPage;
        if (row == 0 && !newPage(index / kSlidesPerPage + 1, pageCount))
            return false;
        const float top = kA4Height - kMargin - 28;
        const float bottom = kMargin + 20;
        const float rowHeight = (top - bottom) / kSlidesPerPage;
        const float rowTop = top - row * rowHeight;
        const Box cell{kMargin, rowTop - rowHeight + 8, 250, rowHeight - 16};
        const Box fit = fitInto(cell, HPDF_Image_GetWidth(image), HPDF_Image_GetHeight(image));
        HPDF_Page_DrawImage(m_page, image, fit.x, fit.y, fit.width, fit.height);
        HPDF_Page_SetLineWidth(m_page, 0.5f);
        HPDF_Page_SetGrayStroke(m_page, 0.3f);
        HPDF_Page_Rectangle(m_page, fit.x, fit.y, fit.width, fit.height);
        HPDF_Page_Stroke(m_page);
        // Ruled lines for notes beside the slide.
        HPDF_Page_SetGrayStroke(m_page, 0.7f);
        const float left = kMargin + 250 + 20;
        for (float y = rowTop - 8 - 20; y >= rowTop - rowHeight + 8; y -= 20) {
            HPDF_Page_MoveTo(m_page, left, y);
            HPDF_Page_LineTo(m_page, kA4Width - kMargin, y);
        }
        HPDF_Page_Stroke(m_page);
        return true;
    }

private:
    bool newPage(int number, int pageCount)
    {
        m_page = HPDF_AddPage(m_doc);
        if (!m_page)
            return false;
        HPDF_Page_SetWidth(m_page, kA4Width);
        HPDF_Page_SetHeight(m_page, kA4Height);
        // The training's name, cut to the line, and a rule under it.
        float size = 12;
        const float room = kA4Width - 2 * kMargin;
        QByteArray title = m_title;
        HPDF_Page_SetFontAndSize(m_page, m_font, size);
        while (!title.isEmpty() && HPDF_Page_TextWidth(m_page, title.constData()) > room)
            title.chop(1);
        text(kMargin, kA4Height - kMargin - 12, title);
        HPDF_Page_SetLineWidth(m_page, 0.75f);
        HPDF_Page_SetGrayStroke(m_page, 0.0f);
        HPDF_Page_MoveTo(m_page, kMargin, kA4Height - kMargin - 18);
        HPDF_Page_LineTo(m_page, kA4Width - kMargin, kA4Height - kMargin - 18);
        HPDF_Page_Stroke(m_page);
        const QByteArray footer = pdfText(QStringLiteral("Strona %1 z %2").arg(number).arg(pageCount));
        HPDF_Page_SetFontAndSize(m_page, m_font, 9);
        text((kA4Width - HPDF_Page_TextWidth(m_page, footer.constData())) / 2, kMargin - 10, footer);
        return true;
    }
    void text(float x, float y, const QByteArray &bytes)
    {
        HPDF_Page_BeginText(m_page);
        HPDF_Page_TextOut(m_page, x, y, bytes.constData());
        HPDF_Page_EndText(m_page);
    }

    HPDF_Doc m_doc;
    HPDF_Font m_font;
    QByteArray m_title;
    HPDF_Page m_page = nullptr;
};

// One slide as it lies in a file: the coded bytes of a block.
struct SlideBlock
{
    Stream *file = nullptr;
    std::int32_t data = 0; // offset of the first coded byte
    std::int32_t length = 0;
};

// Reads the decoded bytes of slide blocks through one window of the file,
// so that libharu's small reads cost neither a system call nor an
// allocation each. Slides are read one after another, so one window, whose
// memory is kept from slide to slide, serves them all.
class SlideReader
{
public:
    SlideReader() : m_window(new char[kPictureWindow]) {}

    // Decoded bytes [pos, pos + count) of block, or false when the file
    // cannot give them. header: only the picture's header is read now.
    bool read(const SlideBlock &block, std::int32_t pos, unsigned char *out, std::int32_t count, bool header)
    {
        // A large piece is read straight into out and decoded where it lies.
        if (!header && count >= kDirectRead && (m_block != &block || pos < m_start || pos >= m_start + m_size)) {
            const std::int32_t at = block.data + pos;
            if (pos < 0 || count > block.length - pos || block.file->seek(at, kFromStart) != at
                || block.file->read(out, count) != count)
                return false;
            BCodeCopy(reinterpret_cast<const char *>(out), reinterpret_cast<char *>(out), count, pos);
            return true;
        }
        while (count > 0) {
            if (m_block != &block || pos < m_start || pos >= m_start + m_size) {
                if (!load(block, pos, header ? kHeaderWindow : kPictureWindow))
                    return false;
            }
            const std::int32_t from = pos - m_start;
            const std::int32_t n = std::min(count, m_size - from);
            // The window holds the coded bytes: decoding is the copy.
            BCodeCopy(m_window.get() + from, reinterpret_cast<char *>(out), n, pos);
            out += n;
            pos += n;
            count -= n;
        }
        return true;
    }

private:
    // The header lies near the start; a picture is read whole when it fits.
    static constexpr std::int32_t kHeaderWindow = 1 << 13;
    static constexpr std::int32_t kPictureWindow = 1 << 20;
    static constexpr std::int32_t kDirectRead = 1 << 16;

    bool load(const SlideBlock &block, std::int32_t pos, std::int32_t window)
    {
        m_block = nullptr;
        const std::int32_t n = std::min(window, block.length - pos);
        if (pos < 0 || n <= 0 || block.file->seek(block.data + pos, kFromStart) != block.data + pos
            || block.file->read(m_window.get(), n) != n)
            return false;
        m_block = &block;
        m_start = pos;
        m_size = n;
        return true;
    }

    std::unique_ptr<char[]> m_window;
    const SlideBlock *m_block = nullptr;
    std::int32_t m_start = 0;
    std::int32_t m_size = 0;
};

// One slide's picture, as libharu reads it.
class SlideBytes : public haru::ImageBytes
{
public:
    SlideBytes(SlideReader &reader, const SlideBlock &block) : m_reader(reader), m_block(block) {}
    std::int32_t size() const override { return m_block.length; }
    bool read(std::int32_t pos, unsigned char *out, std::int32_t count, bool header) override
    {
        return m_reader.read(m_block, pos, out, count, header);
    }

private:
    SlideReader &m_reader;
    const SlideBlock &m_block;
};

// The save file, written in large pieces through one buffer kept for the
// whole document: libharu writes a few bytes or 4 KB at a time.
class PdfOutput : public haru::DocumentSink
{
public:
    explicit PdfOutput(QIODevice &file) : m_file(file), m_buffer(new char[kBuffer]) {}

    bool write(const unsigned char *bytes, std::int32_t size) override
    {
        if (m_used + size > kBuffer && !flush())
            return false;
        if (size >= kBuffer)
            return m_file.write(reinterpret_cast<const char *>(bytes), size) == size;
        std::memcpy(m_buffer.get() + m_used, bytes, static_cast<std::size_t>(size));
        m_used += size;
        return true;
    }
    bool writePicture(haru::ImageBytes &source, bool *readFailed) override
    {
        const std::int32_t size = source.size();
        for (std::int32_t pos = 0; pos < size;) {
            if (m_used == kBuffer && !flush())
                return false;
            const auto n = static_cast<std::int32_t>(std::min<qsizetype>(size - pos, kBuffer - m_used));
            if (!source.read(pos, reinterpret_cast<unsigned char *>(m_buffer.get() + m_used), n, false)) {
                *readFailed = true;
                return false;
            }
            m_used += n;
            pos += n;
        }
        return true;
    }
    bool flush()
    {
        const bool written = m_used == 0 || m_file.write(m_buffer.get(), m_used) == m_used;
        m_used = 0;
        return written;
    }

private:
    // Writes of a megabyte or more cost the kernel far more than these.
    static constexpr qsizetype kBuffer = 1 << 18;

    QIODevice &m_file;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
};

QString corruptSlide(int item, int trainingNumber)
{
    return QStringLiteral("slajd pozycji %1 w pliku %2 jest uszkodzony")
        .arg(item + 1)
        .arg(imageStoreFileName(trainingNumber));
}

// A block's bytes, checked to lie within its file.
std::optional<SlideBlock> slideBlock(Stream &file, std::int32_t offset)
{
    std::int32_t length = 0;
    if (offset < 0 || file.seek(offset, kFromStart) != offset || !file.readInt32(&length) || length < 0
        || length > file.size() - file.position())
        return std::nullopt;
    return SlideBlock{&file, file.position(), length};
}

PdfResult writePdf(const std::vector<SlideBlock> &blocks, const QString &title, PdfLayout layout,
                   const QString &outPath)
{
    static const bool registered = (registerFontResources(), true);
    Q_UNUSED(registered);
    PdfResult result;
    if (blocks.empty()) {
        result.error = QStringLiteral("prezentacja nie zawiera żadnego slajdu");
        return result;
    }

    // The slides' sources outlive the document that reads them.
    SlideReader reader;
    std::deque<SlideBytes> slides;
    haru::LazyImages images;
    PdfErrors errors;
    haru::RecordArena records;
    Doc doc(records.newDocument(onPdfError, &errors));
    if (!doc) {
        result.error = QStringLiteral("brak pamięci");
        return result;
    }
    // Pictures stay as their JPEG bytes: no compression on top.
    HPDF_SetCompressionMode(doc.get(), HPDF_COMP_NONE);
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_CREATOR, kProgramName);
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_PRODUCER, kProgramName);

    HPDF_Font font = nullptr;
    const QByteArray titleBytes = pdfText(title);
    std::unique_ptr<QTemporaryFile> fontFile;
    if (layout == PdfLayout::Handouts) {
        // libharu reads fonts from files only, and trusts them: it is given
        // the program's own copy, never a file from outside.
        // A copy cut short (a full disk) would crash it: the copy must be whole.
        const QString resource = QStringLiteral(":/pdf/DejaVuSans.ttf");
        fontFile.reset(QTemporaryFile::createNativeFile(resource));
        const bool whole = fontFile && fontFile->flush()
                           && QFileInfo(fontFile->fileName()).size() == QFileInfo(resource).size();
        const QByteArray fontPath = whole ? QFile::encodeName(fontFile->fileName()) : QByteArray();
        const char *fontName = whole ? HPDF_LoadTTFontFromFile(doc.get(), fontPath.constData(), HPDF_TRUE) : nullptr;
        font = fontName ? HPDF_GetFont(doc.get(), fontName, "CP1250") : nullptr;
        if (!font) {
            result.error = QStringLiteral("nie można wczytać czcionki");
            return result;
        }
    }
    // The title in the document's information, in the same code page.
    HPDF_SetCurrentEncoder(doc.get(), "CP1250");
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_TITLE, titleBytes.constData());

    const int count = static_cast<int>(blocks.size());
    const int pageCount = layout == PdfLayout::Handouts
                              ? (count + HandoutPage::kSlidesPerPage - 1) / HandoutPage::kSlidesPerPage
                              : count;
    HandoutPage handouts(doc.get(), font, titleBytes);
    for (int i = 0; i < count && errors.status == HPDF_OK; ++i) {
        HPDF_Image image = images.load(doc.get(), slides.emplace_back(reader, blocks[i]));
        if (!image) {
            result.error = QStringLiteral("slajd %1 nie jest poprawnym obrazem JPEG").arg(i + 1);
            return result;
        }
        // PDF readers show only 8-bit JPEGs.
        if (HPDF_Image_GetBitsPerComponent(image) != 8) {
            result.error = QStringLiteral("slajd %1 nie jest 8-bitowym obrazem JPEG").arg(i + 1);
            return result;
        }
        if (layout == PdfLayout::Handouts) {
            if (!handouts.add(image, i, pageCount))
                break;
        } else {
            const float w = HPDF_Image_GetWidth(image), h = HPDF_Image_GetHeight(image);
            HPDF_Page page = HPDF_AddPage(doc.get());
            if (!page)
                break;
            const float height = std::max(1.0f, kSlidePageWidth * h / w);
            if (height >= kMinPageSide && height <= kMaxPageSide) {
                HPDF_Page_SetWidth(page, kSlidePageWidth);
                HPDF_Page_SetHeight(page, height);
                HPDF_Page_DrawImage(page, image, 0, 0, kSlidePageWidth, height);
            } else {
                // A slide of extreme proportions: the page clamped into the
                // sizes a PDF page may have, the picture fitted into it.
                const float scale = std::min(1.0f, kMaxPageSide / height);
                const Box clamped = {0, 0, std::clamp(kSlidePageWidth * scale, kMinPageSide, kMaxPageSide),
                                   std::clamp(height * scale, kMinPageSide, kMaxPageSide)};
                const Box fitted = fitInto(clamped, w, h);
                HPDF_Page_SetWidth(page, clamped.width);
                HPDF_Page_SetHeight(page, clamped.height);
                HPDF_Page_DrawImage(page, image, fitted.x, fitted.y, fitted.width, fitted.height);
            }
        }
    }
    if (errors.status != HPDF_OK) {
        result.error = QStringLiteral("błąd biblioteki PDF (kod 0x%1)").arg(errors.status, 4, 16, QLatin1Char('0'));
        return result;
    }
    // libharu writes the document straight into outPath's save file, which
    // is put in place only when written whole.
    const auto save = [&](QFileDevice &file, QString *) {
        PdfOutput out(file);
        return haru::saveDocument(doc.get(), out) && out.flush() && errors.status == HPDF_OK;
    };
    if (!writeWholeFile(outPath, save, &result.error, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.fileFailed = !images.readFailed();
        if (!result.fileFailed)
            result.error = QStringLiteral("nie można odczytać slajdów");
        return result;
    }
    result.ok = true;
    result.slides = count;
    result.pages = pageCount;
    return result;
}

} // namespace

PdfResult exportPresentationPdf(const QString &dataDir, int trainingNumber,
                                const std::vector<ItemReference> &references, TrainingRecord *training,
                                PdfLayout layout, const QString &outPath,
                                const QString &frontPagePath)
{
    PdfResult result;
    // The slides a composed presentation would hold, in its order (see
    // composePresentation), read from where they are stored.
    const std::unique_ptr<Stream> store = openTrainingSlides(dataDir, trainingNumber, training, &result.error);
    if (!store)
        return result;
    std::vector<SlideBlock> blocks;
    qint64 total = 0;
    std::unique_ptr<Stream> front;
    const QString frontPath = frontPagePath.isEmpty() ? dataDir + kFrontPageName : frontPagePath;
    if (training->type >= 0 && (front = openStream(frontPath, OpenMode::Read))) {
        // Blocks before t are skipped by their lengths, each checked against
        // what the file holds.
        QByteArray coded;
        if (!readNthBlock(*front, training->type, &coded)) {
            result.error = QStringLiteral("plik stron tytułowych %1 jest uszkodzony").arg(kFrontPageName);
            return result;
        }
        const std::int32_t length = static_cast<std::int32_t>(coded.size());
        blocks.push_back({front.get(), front->position() - length, length});
        total += length;
    }
    for (std::size_t i = 0; i < references.size(); ++i) {
        if (!hasSlide(references[i]))
            continue;
        const std::optional<SlideBlock> block =
            slideBlock(*store, static_cast<std::int32_t>(slideOffset(references[i])));
        if (!block) {
            result.error = corruptSlide(static_cast<int>(i), trainingNumber);
            return result;
        }
        blocks.push_back(*block);
        total += block->length;
    }
    // No more than a presentation file may hold (2 GiB with the blocks'
    // length words), well within libharu's 32-bit file offsets.
    if (total + 4 * qint64(blocks.size()) > std::numeric_limits<std::int32_t>::max()) {
        result.error = QStringLiteral("prezentacja jest zbyt duża");
        return result;
    }
    return writePdf(blocks, training->name, layout, outPath);
}

QString pdfMessage(const PdfResult &result)
{
    if (result.ok)
        return QStringLiteral("Plik PDF został poprawnie zapisany.");
    if (result.fileFailed)
        return QStringLiteral("Nie udało się zapisać pliku PDF. ") + result.error;
    return QStringLiteral("Nie udało się zapisać pliku PDF: %1.").arg(result.error);
}

} // namespace marbelo
