#include "presentation/PdfExport.h"

#include "presentation/Compose.h"
#include "store/DataFiles.h"
#include "store/Cp1250.h"
#include "store/SaveFile.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <hpdf.h>

#include <algorithm>
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

constexpr const char *kCreator = "Dravelo";

// A4 portrait, in points.
constexpr float kA4Width = 595.276f;
constexpr float kA4Height = 841.89f;
constexpr float kMargin = 42.0f;
// Width of a page of the "Slajdy" layout; its height follows the slide.
constexpr float kSlidePageWidth = 842.0f;

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

// Reads the decoded bytes of slide blocks through a window of the file, so
// that libharu's small reads cost neither a system call nor an allocation
// each. Slides are read one after another, so one window serves them all.
class SlideReader
{
public:
    // Decoded bytes [pos, pos + count) of block, or false when the file
    // cannot give them. window is how much is read ahead at a time.
    bool read(const SlideBlock &block, std::int32_t pos, HPDF_BYTE *out, std::int32_t count, std::int32_t window)
    {
        while (count > 0) {
            if (m_block != &block || pos < m_start || pos >= m_start + m_window.size()) {
                if (!load(block, pos, window))
                    return false;
            }
            const std::int32_t from = pos - m_start;
            const std::int32_t n = std::min<std::int32_t>(count, static_cast<std::int32_t>(m_window.size()) - from);
            // The window holds the coded bytes: decoding is the copy.
            BCodeCopy(m_window.constData() + from, reinterpret_cast<char *>(out), n, pos);
            out += n;
            pos += n;
            count -= n;
        }
        return true;
    }

private:
    bool load(const SlideBlock &block, std::int32_t pos, std::int32_t window)
    {
        m_block = nullptr;
        const std::int32_t n = std::min(window, block.length - pos);
        if (pos < 0 || n <= 0 || block.file->seek(block.data + pos, kFromStart) != block.data + pos)
            return false;
        m_window.resize(n);
        if (block.file->read(m_window.data(), n) != n)
            return false;
        m_block = &block;
        m_start = pos;
        return true;
    }

    const SlideBlock *m_block = nullptr;
    std::int32_t m_start = 0;
    QByteArray m_window;
};

// A libharu stream over one slide block, read from its file when read.
struct SlideStream
{
    SlideReader *reader;
    const SlideBlock *block;
    std::int32_t pos = 0;
    // While libharu reads the picture's header only: the first seek back to
    // the start ends the header, and the copy libharu then makes of the whole
    // picture is given no bytes (the image stream is replaced afterwards).
    bool headerOnly = false;
    bool headerRead = false;
    bool failed = false;
};

SlideStream *slideStream(HPDF_Stream stream)
{
    return static_cast<SlideStream *>(stream->attr);
}

HPDF_STATUS readSlide(HPDF_Stream stream, HPDF_BYTE *out, HPDF_UINT *size)
{
    SlideStream *s = slideStream(stream);
    if (s->headerOnly && s->headerRead) {
        *size = 0;
        return HPDF_STREAM_EOF;
    }
    const std::int32_t left = s->block->length - s->pos;
    const std::int32_t n = static_cast<std::int32_t>(std::min<HPDF_UINT>(*size, static_cast<HPDF_UINT>(left)));
    // The header is near the start: a small window for it, a large one for
    // the picture's bytes.
    const std::int32_t window = s->headerOnly ? (1 << 13) : (1 << 17);
    if (n > 0 && !s->reader->read(*s->block, s->pos, out, n, window)) {
        s->failed = true;
        *size = 0;
        return HPDF_SetError(stream->error, HPDF_FILE_IO_ERROR, 0);
    }
    s->pos += n;
    const bool whole = static_cast<HPDF_UINT>(n) == *size;
    *size = static_cast<HPDF_UINT>(n);
    if (whole)
        return HPDF_OK;
    // A picture that ends inside its header is no picture.
    if (s->headerOnly) {
        s->failed = true;
        return HPDF_SetError(stream->error, HPDF_STREAM_EOF, 0);
    }
    return HPDF_STREAM_EOF;
}

HPDF_STATUS seekSlide(HPDF_Stream stream, HPDF_INT pos, HPDF_WhenceMode mode)
{
    SlideStream *s = slideStream(stream);
    const qint64 target = mode == HPDF_SEEK_SET ? pos : mode == HPDF_SEEK_CUR ? qint64(s->pos) + pos
                                                                              : qint64(s->block->length) + pos;
    if (target < 0 || target > s->block->length) {
        s->failed = true;
        return HPDF_SetError(stream->error, HPDF_STREAM_EOF, 0);
    }
    if (s->headerOnly && mode == HPDF_SEEK_SET && target == 0 && s->pos > 0)
        s->headerRead = true;
    s->pos = static_cast<std::int32_t>(target);
    return HPDF_OK;
}

HPDF_INT32 tellSlide(HPDF_Stream stream)
{
    return slideStream(stream)->pos;
}

HPDF_UINT32 slideSize(HPDF_Stream stream)
{
    return static_cast<HPDF_UINT32>(slideStream(stream)->block->length);
}

HPDF_Stream newSlideStream(HPDF_Doc doc, SlideStream *state)
{
    return HPDF_CallbackReader_New(doc->mmgr, readSlide, seekSlide, tellSlide, slideSize, state);
}

// The slide as a PDF image whose bytes are read from the slide's file only
// when the document is written: libharu takes the picture's size from its
// header and would otherwise keep a copy of every slide in memory, copied
// byte by byte, until the end. Null when the slide is no JPEG picture.
HPDF_Image loadSlideImage(HPDF_Doc doc, SlideReader *reader, const SlideBlock &block,
                          std::deque<SlideStream> *streams)
{
    SlideStream header{reader, &block};
    header.headerOnly = true;
    HPDF_Stream headerStream = newSlideStream(doc, &header);
    if (!headerStream)
        return nullptr;
    HPDF_Image image = HPDF_Image_LoadJpegImage(doc->mmgr, headerStream, doc->xref);
    HPDF_Stream_Free(headerStream);
    if (!image || header.failed || !header.headerRead || HPDF_Image_GetWidth(image) == 0
        || HPDF_Image_GetHeight(image) == 0)
        return nullptr;
    streams->push_back({reader, &block});
    HPDF_Stream bytes = newSlideStream(doc, &streams->back());
    if (!bytes)
        return nullptr;
    HPDF_Stream_Free(image->stream);
    image->stream = bytes;
    return image;
}

// The save file, written in large pieces: libharu writes a few bytes or 4 KB
// at a time.
class PdfOutput
{
public:
    explicit PdfOutput(const QString &path) : m_file(path) {}

    bool open()
    {
        m_buffer.reserve(kBuffer);
        return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool write(const char *bytes, qsizetype size)
    {
        if (m_buffer.size() + size > kBuffer && !flush())
            return false;
        if (size >= kBuffer)
            return m_file.write(bytes, size) == size;
        m_buffer.append(bytes, size);
        return true;
    }
    bool commit()
    {
        if (!flush()) {
            m_file.cancelWriting();
            commitWhole(m_file);
            return false;
        }
        return commitWhole(m_file);
    }
    void cancel()
    {
        m_file.cancelWriting();
        commitWhole(m_file);
    }

private:
    static constexpr qsizetype kBuffer = 1 << 17;

    bool flush()
    {
        const bool written = m_buffer.isEmpty() || m_file.write(m_buffer) == m_buffer.size();
        m_buffer.clear();
        return written;
    }

    QSaveFile m_file;
    QByteArray m_buffer;
};

HPDF_STATUS writeToOutput(HPDF_Stream stream, const HPDF_BYTE *bytes, HPDF_UINT size)
{
    auto *out = static_cast<PdfOutput *>(stream->attr);
    if (!out->write(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size)))
        return HPDF_SetError(stream->error, HPDF_FILE_IO_ERROR, 0);
    return HPDF_OK;
}

// Has libharu write the document straight into outPath's save file, which
// is put in place only when written whole.
bool saveWhole(HPDF_Doc doc, const QString &outPath)
{
    PdfOutput out(outPath);
    if (!out.open())
        return false;
    // The document's own output stream (a memory stream by default) becomes
    // one that writes into the save file.
    if (doc->stream)
        HPDF_Stream_Free(doc->stream);
    doc->stream = HPDF_CallbackWriter_New(doc->mmgr, writeToOutput, &out);
    const bool written = doc->stream && HPDF_SaveToStream(doc) == HPDF_OK;
    HPDF_Stream_Free(doc->stream);
    doc->stream = nullptr;
    if (!written) {
        out.cancel();
        return false;
    }
    return out.commit();
}

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

    // The slides' streams outlive the document that reads them.
    SlideReader reader;
    std::deque<SlideStream> streams;
    PdfErrors errors;
    Doc doc(HPDF_New(onPdfError, &errors));
    if (!doc) {
        result.error = QStringLiteral("brak pamięci");
        return result;
    }
    // Pictures stay as their JPEG bytes: no compression on top.
    HPDF_SetCompressionMode(doc.get(), HPDF_COMP_NONE);
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_CREATOR, kCreator);
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_PRODUCER, kCreator);

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
        HPDF_Image image = loadSlideImage(doc.get(), &reader, blocks[i], &streams);
        if (!image) {
            result.error = QStringLiteral("slajd %1 nie jest poprawnym obrazem JPEG").arg(i + 1);
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
            HPDF_Page_SetWidth(page, kSlidePageWidth);
            HPDF_Page_SetHeight(page, height);
            HPDF_Page_DrawImage(page, image, 0, 0, kSlidePageWidth, height);
        }
    }
    if (errors.status != HPDF_OK) {
        result.error = QStringLiteral("błąd biblioteki PDF (kod 0x%1)").arg(errors.status, 4, 16, QLatin1Char('0'));
        return result;
    }
    if (!saveWhole(doc.get(), outPath) || errors.status != HPDF_OK) {
        const bool unreadable =
            std::any_of(streams.begin(), streams.end(), [](const SlideStream &s) { return s.failed; });
        result.error = unreadable ? QStringLiteral("nie można odczytać slajdów")
                                  : QStringLiteral("nie można zapisać pliku %1").arg(QFileInfo(outPath).fileName());
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
    return QStringLiteral("Nie udało się zapisać pliku PDF: %1.").arg(result.error);
}

} // namespace marbelo
