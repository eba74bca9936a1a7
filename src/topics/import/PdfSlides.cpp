#include "topics/import/PdfSlides.h"

#include "store/components/JpegEncoder.h"
#include "topics/import/PdfOutlineCheck.h"

#include <QFile>
#include <QPdfBookmarkModel>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>

namespace marbelo {

// mutable: Qt's document is not const-correct (rendering and the bookmark
// model take it by pointer to non-const).
class PdfDeck
{
public:
    QString path;
    mutable QPdfDocument document;
};

void PdfDeckDeleter::operator()(PdfDeck *deck) const
{
    delete deck;
}

namespace {

QString quoted(const QString &path)
{
    return quotedFileName(path);
}

ImportResult unreadable(const QString &path, const QString &why)
{
    return ImportResult::failed(QStringLiteral("Nie można odczytać pliku %1: %2.").arg(quoted(path), why));
}

QSize slideSize(QSizeF size)
{
    const double longSide = std::max(size.width(), size.height());
    if (!(longSide > 0))
        return QSize();
    const double scale = kSlideLongSide / longSide;
    return QSize(std::max(1, static_cast<int>(std::lround(size.width() * scale))),
                 std::max(1, static_cast<int>(std::lround(size.height() * scale))));
}

// Whether the PDF library may walk the file's bookmarks (see PdfOutlineCheck.h).
bool bookmarksAreBounded(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;
    const uchar *mapped = file.map(0, file.size());
    if (!mapped)
        return false;
    return outlineIsBounded(QByteArrayView(mapped, file.size()));
}

} // namespace

bool pdfImportAvailable()
{
    return true;
}

ImportResult openPdfDeck(const QString &path, PdfDeckPtr *deck, int *pages)
{
    PdfDeckPtr opened(new PdfDeck);
    opened->path = path;
    const QPdfDocument::Error error = opened->document.load(path);
    switch (error) {
    case QPdfDocument::Error::None:
        break;
    case QPdfDocument::Error::FileNotFound:
        return unreadable(path, QStringLiteral("plik nie istnieje"));
    case QPdfDocument::Error::IncorrectPassword:
        return ImportResult::failed(
            QStringLiteral("Dokument %1 jest chroniony hasłem i nie może być zaimportowany.").arg(quoted(path)));
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return ImportResult::failed(
            QStringLiteral("Dokument %1 jest zabezpieczony w nieobsługiwany sposób.").arg(quoted(path)));
    default:
        return ImportResult::failed(
            QStringLiteral("Plik %1 jest uszkodzony albo nie jest dokumentem PDF.").arg(quoted(path)));
    }
    const int count = opened->document.pageCount();
    if (count <= 0)
        return ImportResult::failed(QStringLiteral("Dokument %1 nie zawiera żadnej strony.").arg(quoted(path)));
    if (count > kMaxPdfPages)
        return ImportResult::failed(QStringLiteral("Dokument %1 ma za dużo stron: %2 (najwięcej %3).")
                                        .arg(quoted(path))
                                        .arg(count)
                                        .arg(kMaxPdfPages));
    *pages = count;
    *deck = std::move(opened);
    return {};
}

// Names and depths of a document's pages from its bookmarks, when they can be
// walked safely: the first bookmark met (in reading order) for a page names
// it; levels deeper than kMaxSlideDepth count as kMaxSlideDepth. Pages
// without one are "Slajd N" one level below the last bookmarked page before
// them.
void namePdfPages(const PdfDeck &deck, std::vector<ImportedSlide> *pages)
{
    QPdfDocument &document = deck.document;
    const int count = document.pageCount();
    std::vector<bool> named(static_cast<std::size_t>(count), false);
    QPdfBookmarkModel model;
    if (bookmarksAreBounded(deck.path))
        model.setDocument(&document);
    std::vector<QModelIndex> pending;
    for (int row = model.rowCount() - 1; row >= 0; --row)
        pending.push_back(model.index(row, 0));
    while (!pending.empty()) {
        const QModelIndex at = pending.back();
        pending.pop_back();
        const int page = model.data(at, int(QPdfBookmarkModel::Role::Page)).toInt();
        if (page >= 0 && page < count && !named[static_cast<std::size_t>(page)]) {
            ImportedSlide &slide = (*pages)[static_cast<std::size_t>(page)];
            slide.name = singleLineName(model.data(at, int(QPdfBookmarkModel::Role::Title)).toString());
            slide.depth = std::clamp(model.data(at, int(QPdfBookmarkModel::Role::Level)).toInt(), 0, kMaxSlideDepth);
            named[static_cast<std::size_t>(page)] = true;
        }
        for (int row = model.rowCount(at) - 1; row >= 0; --row)
            pending.push_back(model.index(row, 0, at));
    }
    int below = 0;
    for (int page = 0; page < count; ++page) {
        ImportedSlide &slide = (*pages)[static_cast<std::size_t>(page)];
        if (named[static_cast<std::size_t>(page)]) {
            below = std::min(slide.depth + 1, kMaxSlideDepth);
        } else {
            slide.name = QStringLiteral("Slajd %1").arg(page + 1);
            slide.depth = below;
        }
    }
}

ImportResult renderPdfPage(const PdfDeck &deck, int page, QByteArray *jpeg)
{
    const QSize size = slideSize(deck.document.pagePointSize(page));
    const QImage image = size.isValid() ? deck.document.render(page, size) : QImage();
    QString why;
    if (image.isNull() || !encodeJpeg(image, jpeg, &why))
        return ImportResult::failed(
            QStringLiteral("Nie można przygotować strony %1 dokumentu %2.").arg(page + 1).arg(quoted(deck.path)));
    return {};
}


} // namespace marbelo
