#include "topics/import/PdfSlides.h"

#include "store/components/JpegEncoder.h"
#include "topics/import/PdfBookmarks.h"
#include "topics/import/PdfOutlineCheck.h"
#include "topics/import/PdfSyntax.h"

#include <QFile>

#include <poppler-qt6.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace marbelo {

class PdfDeck
{
public:
    QString path;
    bool boundedOutline = false; // the bookmarks may be walked (PdfOutlineCheck.h)
    std::unique_ptr<Poppler::Document> document;
};

void PdfDeckDeleter::operator()(PdfDeck *deck) const
{
    delete deck;
}

namespace {

// Pages render on at most this many threads, one copy of the document each.
constexpr std::size_t kMaxRenderThreads = 4;

// A file damaged beyond this is not read into memory to be repaired.
constexpr qint64 kMaxRepairedFileSize = 512 * 1024 * 1024;

QString quoted(const QString &path)
{
    return quotedFileName(path);
}

// Poppler reports every syntax error of a damaged file on the debug output;
// the import tells the user in its own words instead.
void quietRenderer()
{
    static std::once_flag once;
    std::call_once(once, [] { Poppler::setDebugErrorFunction([](const QString &, const QVariant &) {}, QVariant()); });
}

using pdf::isDigit;
using pdf::isSpace;

// The start of the "N G obj" whose keyword begins at objAt, or -1.
qsizetype objectStart(const QByteArray &pdf, qsizetype objAt)
{
    qsizetype p = objAt;
    for (int part = 0; part < 2; ++part) {
        const qsizetype blanks = p;
        while (p > 0 && isSpace(pdf[p - 1]))
            --p;
        const qsizetype digits = p;
        while (p > 0 && isDigit(pdf[p - 1]))
            --p;
        if (blanks == p || digits == p || blanks == digits)
            return -1;
    }
    return p;
}

// Points the file's startxref at its last cross-reference section (an "xref"
// table or an object of /Type /XRef) when it points elsewhere, as a file cut
// and joined wrongly has it; false when there is nothing to correct. Poppler
// rebuilds a lost table itself, but not a lost cross-reference stream.
bool pointStartXrefAtLastSection(QByteArray *bytes)
{
    const QByteArray &pdf = *bytes;
    const qsizetype keyword = pdf.lastIndexOf("startxref");
    if (keyword < 0)
        return false;
    qsizetype from = keyword + 9;
    while (from < pdf.size() && isSpace(pdf[from]))
        ++from;
    qsizetype to = from;
    while (to < pdf.size() && isDigit(pdf[to]) && to - from < 12)
        ++to;
    if (to == from)
        return false;
    qsizetype section = -1;
    for (qsizetype at = pdf.lastIndexOf("xref", keyword - 1); at > 0; at = pdf.lastIndexOf("xref", at - 1)) {
        if ((pdf[at - 1] == '\n' || pdf[at - 1] == '\r') && at + 4 < pdf.size() && isSpace(pdf[at + 4])) {
            section = at;
            break;
        }
    }
    for (qsizetype at = pdf.lastIndexOf("/XRef", keyword); at > section; at = pdf.lastIndexOf("/XRef", at - 1)) {
        if (at + 5 < pdf.size() && (isSpace(pdf[at + 5]) || pdf[at + 5] == '/' || pdf[at + 5] == '>')) {
            const qsizetype obj = pdf.lastIndexOf("obj", at);
            const qsizetype start = obj > section ? objectStart(pdf, obj) : -1;
            if (start >= 0)
                section = start;
            break;
        }
    }
    if (section < 0 || pdf.mid(from, to - from).toLongLong() == section)
        return false;
    bytes->replace(from, to - from, QByteArray::number(section));
    return true;
}

std::unique_ptr<Poppler::Document> loadDocument(const QString &path)
{
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (document)
        return document;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxRepairedFileSize)
        return nullptr;
    QByteArray bytes = file.readAll();
    return pointStartXrefAtLastSection(&bytes) ? Poppler::Document::loadFromData(bytes) : nullptr;
}

// Whether the bookmarks may be walked: the file's own objects are checked
// first. An encrypted file hides them in encrypted object streams; its
// bookmarks are then walked through the renderer, which decrypts them, within
// the same limits (readBookmarks) and behind Poppler's own guard against a
// link back to an item on the way.
bool mayReadBookmarks(const QString &path, const Poppler::Document &document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;
    const uchar *mapped = file.map(0, file.size());
    if (!mapped)
        return false;
    bool unreadable = false;
    return outlineIsBounded(QByteArrayView(mapped, file.size()), &unreadable)
           || (unreadable && document.isEncrypted());
}

// The bookmarks in outline order, one level at a time; false (and none) when
// they nest deeper or count more than the limits allow.
bool readBookmarks(const Poppler::Document &document, int pageCount, std::vector<PdfBookmark> *bookmarks)
{
    struct Pending
    {
        Poppler::OutlineItem item;
        int level;
    };
    std::vector<Pending> pending;
    const auto later = [&](const QVector<Poppler::OutlineItem> &items, int level) {
        if (level >= kMaxOutlineDepth
            || qint64(bookmarks->size() + pending.size()) + items.size() > qint64(kMaxOutlineItems))
            return false;
        for (auto item = items.crbegin(); item != items.crend(); ++item)
            pending.push_back({*item, level});
        return true;
    };
    bool bounded = later(document.outline(), 0);
    while (bounded && !pending.empty()) {
        const Pending at = std::move(pending.back());
        pending.pop_back();
        PdfBookmark bookmark;
        bookmark.title = at.item.name();
        bookmark.level = at.level;
        if (const QSharedPointer<const Poppler::LinkDestination> destination = at.item.destination()) {
            const int page = destination->pageNumber() - 1;
            bookmark.page = page >= 0 && page < pageCount ? page : -1;
        }
        bookmarks->push_back(std::move(bookmark));
        if (at.item.hasChildren())
            bounded = later(at.item.children(), at.level + 1);
    }
    if (!bounded)
        bookmarks->clear();
    return bounded;
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

void prepareRendering(Poppler::Document &document)
{
    document.setRenderBackend(Poppler::Document::SplashBackend);
    document.setRenderHint(Poppler::Document::Antialiasing);
    document.setRenderHint(Poppler::Document::TextAntialiasing);
    document.setPaperColor(Qt::white);
}

bool renderStopped(const QVariant &closure)
{
    return reinterpret_cast<const std::atomic<bool> *>(closure.value<quintptr>())->load();
}

// One page rendered to the slide size and encoded; stop is asked while it renders.
ImportResult renderPage(Poppler::Document &document, const QString &path, int page, const std::atomic<bool> &stop,
                        QByteArray *jpeg)
{
    const std::unique_ptr<Poppler::Page> pdfPage = document.page(page);
    const QSizeF points = pdfPage ? pdfPage->pageSizeF() : QSizeF();
    const QSize size = slideSize(points);
    QImage image;
    if (size.isValid())
        image = pdfPage->renderToImage(72.0 * size.width() / points.width(), 72.0 * size.height() / points.height(), 0,
                                       0, size.width(), size.height(), Poppler::Page::Rotate0, nullptr, nullptr,
                                       renderStopped, QVariant::fromValue(reinterpret_cast<quintptr>(&stop)));
    if (stop)
        return {ImportStatus::Cancelled, QString()};
    QString why;
    if (image.isNull() || !encodeJpeg(image, jpeg, &why))
        return ImportResult::failed(
            QStringLiteral("Nie można przygotować strony %1 dokumentu %2.").arg(page + 1).arg(quoted(path)));
    return {};
}

} // namespace

bool pdfImportAvailable()
{
    return true;
}

ImportResult openPdfDeck(const QString &path, PdfDeckPtr *deck, int *pages)
{
    quietRenderer();
    PdfDeckPtr opened(new PdfDeck);
    opened->path = path;
    opened->document = loadDocument(path);
    if (!opened->document)
        return ImportResult::failed(
            QStringLiteral("Plik %1 jest uszkodzony albo nie jest dokumentem PDF.").arg(quoted(path)));
    if (opened->document->isLocked())
        return ImportResult::failed(
            QStringLiteral("Dokument %1 jest chroniony hasłem i nie może być zaimportowany.").arg(quoted(path)));
    const int count = opened->document->numPages();
    if (count <= 0)
        return ImportResult::failed(QStringLiteral("Dokument %1 nie zawiera żadnej strony.").arg(quoted(path)));
    if (count > kMaxPdfPages)
        return ImportResult::failed(QStringLiteral("Dokument %1 ma za dużo stron: %2 (najwięcej %3).")
                                        .arg(quoted(path))
                                        .arg(count)
                                        .arg(kMaxPdfPages));
    opened->boundedOutline = mayReadBookmarks(path, *opened->document);
    prepareRendering(*opened->document);
    *pages = count;
    *deck = std::move(opened);
    return {};
}

std::vector<ImportedSlide> pdfRecords(const PdfDeck &deck)
{
    const int count = deck.document->numPages();
    std::vector<PdfBookmark> bookmarks;
    if (deck.boundedOutline)
        readBookmarks(*deck.document, count, &bookmarks);
    return slidesFromBookmarks(bookmarks, count);
}

ImportResult renderPdfPages(const PdfDeck &deck, const std::vector<int> &pages, const std::function<bool()> &cancelled,
                            const RenderedPage &take)
{
    struct Slot
    {
        bool ready = false;
        ImportResult result;
        QByteArray jpeg;
    };
    std::vector<Slot> results(pages.size());
    std::mutex lock;
    std::condition_variable rendered;
    std::atomic<bool> stop{false};
    std::atomic<std::size_t> nextPage{0};

    // Each thread takes the next page not taken; the first renders with the
    // deck's own document, the others open a copy of their own.
    const auto work = [&](Poppler::Document *own) {
        std::unique_ptr<Poppler::Document> copy;
        if (!own) {
            copy = loadDocument(deck.path);
            if (copy && !copy->isLocked())
                prepareRendering(*copy);
            else
                copy.reset();
            own = copy.get();
            if (!own)
                return; // the other threads render its share
        }
        for (std::size_t k = nextPage++; k < pages.size() && !stop; k = nextPage++) {
            Slot done;
            done.result = renderPage(*own, deck.path, pages[k], stop, &done.jpeg);
            done.ready = true;
            const std::lock_guard<std::mutex> guard(lock);
            results[k] = std::move(done);
            rendered.notify_all();
        }
    };
    const std::size_t count = std::min<std::size_t>(
        {std::max(1u, std::thread::hardware_concurrency()), kMaxRenderThreads, std::max<std::size_t>(pages.size(), 1)});
    std::vector<std::thread> threads;
    threads.emplace_back(work, deck.document.get());
    while (threads.size() < count)
        threads.emplace_back(work, nullptr);

    ImportResult result;
    for (std::size_t k = 0; k < pages.size() && result.ok(); ++k) {
        Slot slot;
        {
            std::unique_lock<std::mutex> guard(lock);
            // Asked every 50 ms while the page renders, so that a cancel is answered at once.
            while (!results[k].ready && result.ok()) {
                if (!rendered.wait_for(guard, std::chrono::milliseconds(50), [&] { return results[k].ready; })) {
                    guard.unlock();
                    if (cancelled && cancelled())
                        result = {ImportStatus::Cancelled, QString()};
                    guard.lock();
                }
            }
            if (result.ok())
                slot = std::move(results[k]);
        }
        if (result.ok())
            result = slot.result.ok() ? take(std::move(slot.jpeg)) : slot.result;
    }
    stop = true;
    for (std::thread &thread : threads)
        thread.join();
    return result;
}

} // namespace marbelo
