#include "presentation/PdfExport.h"

#include "presentation/Compose.h"
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
#include <memory>

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

// Copies the document libharu holds in memory into outPath, chunk by chunk.
bool saveWhole(HPDF_Doc doc, const QString &outPath)
{
    if (HPDF_SaveToStream(doc) != HPDF_OK)
        return false;
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    HPDF_ResetStream(doc);
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        HPDF_UINT32 size = static_cast<HPDF_UINT32>(buffer.size());
        const HPDF_STATUS status = HPDF_ReadFromStream(doc, reinterpret_cast<HPDF_BYTE *>(buffer.data()), &size);
        if (size > 0 && out.write(buffer.constData(), size) != static_cast<qint64>(size)) {
            out.cancelWriting();
            commitWhole(out);
            return false;
        }
        if (status == HPDF_STREAM_EOF)
            break;
        if (status != HPDF_OK) {
            out.cancelWriting();
            commitWhole(out);
            return false;
        }
    }
    return commitWhole(out);
}

} // namespace

PdfResult writePresentationPdf(const QString &presentationPath, const QString &title, PdfLayout layout,
                               const QString &outPath)
{
    static const bool registered = (registerFontResources(), true);
    Q_UNUSED(registered);
    PdfResult result;
    std::unique_ptr<Stream> presentation;
    if (!OpenStream(presentation, presentationPath, kOpenRead, 1)) {
        result.error = QStringLiteral("nie można otworzyć pliku prezentacji");
        return result;
    }
    bool complete = false;
    const std::vector<BlockInfo> blocks = indexBlocks(*presentation, 0, &complete);
    if (!complete) {
        result.error = QStringLiteral("plik prezentacji jest uszkodzony");
        return result;
    }
    if (blocks.empty()) {
        result.error = QStringLiteral("prezentacja nie zawiera żadnego slajdu");
        return result;
    }

    PdfErrors errors;
    Doc doc(HPDF_New(onPdfError, &errors));
    if (!doc) {
        result.error = QStringLiteral("brak pamięci");
        return result;
    }
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
    QByteArray coded;
    for (int i = 0; i < count; ++i) {
        if (!readSlideBlock(*presentation, blocks[i].offset, &coded)) {
            result.error = QStringLiteral("plik prezentacji jest uszkodzony");
            return result;
        }
        const QByteArray jpeg = BCodeToStr(coded);
        HPDF_Image image = HPDF_LoadJpegImageFromMem(doc.get(), reinterpret_cast<const HPDF_BYTE *>(jpeg.constData()),
                                                     static_cast<HPDF_UINT>(jpeg.size()));
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
            if (!page || w <= 0 || h <= 0)
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
    coded.clear();
    presentation.reset();
    if (!saveWhole(doc.get(), outPath) || errors.status != HPDF_OK) {
        result.error = QStringLiteral("nie można zapisać pliku %1").arg(QFileInfo(outPath).fileName());
        return result;
    }
    result.ok = true;
    result.slides = count;
    result.pages = pageCount;
    return result;
}

PdfResult exportPresentationPdf(const QString &dataDir, int trainingNumber,
                                const std::vector<ItemReference> &references, TrainingRecord *training,
                                const QString &workPath, PdfLayout layout, const QString &outPath)
{
    PdfResult result;
    const ComposeResult composed = composePresentation(dataDir, trainingNumber, references, training, workPath);
    if (composed.ok)
        result = writePresentationPdf(workPath, training->name, layout, outPath);
    else
        result.error = composed.error;
    QFile::remove(workPath);
    return result;
}

QString pdfMessage(const PdfResult &result)
{
    if (result.ok)
        return QStringLiteral("Plik PDF został poprawnie zapisany.");
    return QStringLiteral("Nie udało się zapisać pliku PDF: %1.").arg(result.error);
}

} // namespace marbelo
