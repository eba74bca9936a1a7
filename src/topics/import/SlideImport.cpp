#include "topics/import/SlideImport.h"

#include "store/components/JpegDecoder.h"
#include "store/components/JpegEncoder.h"
#include "topics/import/PdfOutlineCheck.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPdfBookmarkModel>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>
#include <memory>

namespace marbelo {

namespace {

// Pictures up to the pixel limit in 4 bytes a pixel; Qt's own limit is lower.
constexpr int kReaderAllocationMegabytes = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)) + 1;

QString quoted(const QString &path)
{
    return QStringLiteral("„%1”").arg(QFileInfo(path).fileName());
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

// One file to import, opened and checked.
struct Source
{
    QString path;
    std::unique_ptr<QPdfDocument> pdf; // null for a picture, read at its turn
    int slides = 1;
};

bool looksLikePdf(const QString &path, const QByteArray &head)
{
    return head.startsWith("%PDF") || QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

ImportResult openPdf(Source *source)
{
    source->pdf = std::make_unique<QPdfDocument>();
    const QPdfDocument::Error error = source->pdf->load(source->path);
    switch (error) {
    case QPdfDocument::Error::None:
        break;
    case QPdfDocument::Error::FileNotFound:
        return unreadable(source->path, QStringLiteral("plik nie istnieje"));
    case QPdfDocument::Error::IncorrectPassword:
        return ImportResult::failed(
            QStringLiteral("Dokument %1 jest chroniony hasłem i nie może być zaimportowany.").arg(quoted(source->path)));
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return ImportResult::failed(
            QStringLiteral("Dokument %1 jest zabezpieczony w nieobsługiwany sposób.").arg(quoted(source->path)));
    default:
        return ImportResult::failed(
            QStringLiteral("Plik %1 jest uszkodzony albo nie jest dokumentem PDF.").arg(quoted(source->path)));
    }
    source->slides = source->pdf->pageCount();
    if (source->slides <= 0)
        return ImportResult::failed(QStringLiteral("Dokument %1 nie zawiera żadnej strony.").arg(quoted(source->path)));
    if (source->slides > kMaxPdfPages)
        return ImportResult::failed(QStringLiteral("Dokument %1 ma za dużo stron: %2 (najwięcej %3).")
                                        .arg(quoted(source->path))
                                        .arg(source->slides)
                                        .arg(kMaxPdfPages));
    return {};
}

ImportResult openSource(const QString &path, Source *source)
{
    source->path = path;
    const QFileInfo info(path);
    if (!info.exists())
        return unreadable(path, QStringLiteral("plik nie istnieje"));
    QFile file(path);
    // Devices, pipes and folders would be read without end or not at all.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly) || file.isSequential())
        return unreadable(path, QStringLiteral("to nie jest zwykły plik"));
    const QByteArray head = file.peek(8);
    if (looksLikePdf(path, head)) {
        file.close();
        return openPdf(source);
    }
    if (file.size() > kMaxPictureFileSize)
        return ImportResult::failed(QStringLiteral("Plik %1 jest za duży na obraz (najwięcej %2 MB).")
                                        .arg(quoted(path))
                                        .arg(kMaxPictureFileSize / (1024 * 1024)));
    return {};
}

// A picture's bytes, read when its turn comes; a file that grew past the
// limit since it was checked is refused.
ImportResult readPicture(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return unreadable(path, file.errorString());
    *bytes = file.read(kMaxPictureFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return unreadable(path, file.errorString());
    if (bytes->size() > kMaxPictureFileSize)
        return ImportResult::failed(QStringLiteral("Plik %1 jest za duży na obraz (najwięcej %2 MB).")
                                        .arg(quoted(path))
                                        .arg(kMaxPictureFileSize / (1024 * 1024)));
    return {};
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

// Names and depths of a document's pages from its bookmarks, when they can be
// walked safely: the first bookmark met (in reading order) for a page names
// it; levels deeper than kMaxSlideDepth count as kMaxSlideDepth. Pages
// without one are "Slajd N" one level below the last bookmarked page before
// them.
void pageNames(const Source &source, std::vector<ImportedSlide> *pages)
{
    QPdfDocument &document = *source.pdf;
    const int count = document.pageCount();
    std::vector<bool> named(static_cast<std::size_t>(count), false);
    QPdfBookmarkModel model;
    if (bookmarksAreBounded(source.path))
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

ImportResult renderPage(const Source &source, int page, QByteArray *jpeg)
{
    const QSize size = slideSize(source.pdf->pagePointSize(page));
    const QImage image = size.isValid() ? source.pdf->render(page, size) : QImage();
    QString why;
    if (image.isNull() || !encodeJpeg(image, jpeg, &why))
        return ImportResult::failed(
            QStringLiteral("Nie można przygotować strony %1 dokumentu %2.").arg(page + 1).arg(quoted(source.path)));
    return {};
}

} // namespace

QString singleLineName(const QString &name)
{
    QString line = name;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph)
            c = u' ';
    }
    return line;
}

QStringList slideFilePatterns()
{
    return {QStringLiteral("*.pdf"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
            QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.webp")};
}

ImportResult pictureSlide(const QString &fileName, const QByteArray &bytes, QByteArray *jpeg)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kReaderAllocationMegabytes);
    if (!reader.canRead())
        return ImportResult::failed(QStringLiteral("Plik %1 nie jest obrazem.").arg(quoted(fileName)));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        return ImportResult::failed(
            QStringLiteral("Obraz %1 jest za duży: %2 × %3 pikseli (najwięcej 100 milionów pikseli).")
                .arg(quoted(fileName))
                .arg(size.width())
                .arg(size.height()));

    // A baseline JPEG within the slide size, upright as stored, is kept byte for byte.
    const bool upright = reader.transformation() == QImageIOHandler::TransformationNone;
    if (reader.format() == "jpeg" && upright && size.isValid() && std::max(size.width(), size.height()) <= kSlideLongSide
        && isBaselineJpeg(bytes) && !decodeJpeg(bytes, QSize(1, 1)).isNull()) {
        *jpeg = bytes;
        return {};
    }

    // Qt's reader fills what a cut-off JPEG lacks with grey; a JPEG must decode whole.
    QString damage;
    if (reader.format() == "jpeg" && decodeJpeg(bytes, QSize(1, 1), &damage).isNull())
        return ImportResult::failed(
            QStringLiteral("Obraz %1 jest uszkodzony albo niekompletny: %2.").arg(quoted(fileName), damage));
    QImage image = reader.read();
    if (image.isNull())
        return ImportResult::failed(
            QStringLiteral("Nie można odczytać obrazu %1: %2.").arg(quoted(fileName), reader.errorString()));
    if (std::max(image.width(), image.height()) > kSlideLongSide)
        image = image.scaled(QSize(kSlideLongSide, kSlideLongSide), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QString why;
    if (!encodeJpeg(image, jpeg, &why))
        return ImportResult::failed(
            QStringLiteral("Nie można przygotować obrazu %1: %2.").arg(quoted(fileName), why));
    return {};
}

ImportResult readSlides(const QStringList &files, std::vector<ImportedSlide> *slides, const ImportProgress &progress,
                        qint64 sizeLimit)
{
    slides->clear();
    std::vector<Source> sources(static_cast<std::size_t>(files.size()));
    int total = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const ImportResult opened = openSource(files[i], &sources[static_cast<std::size_t>(i)]);
        if (!opened.ok())
            return opened;
        total += sources[static_cast<std::size_t>(i)].slides;
    }

    std::vector<ImportedSlide> out;
    // The topic file's size so far: the longest title, then per slide four
    // lengths and fields (a name of at most 128 bytes) and the slide block.
    qint64 size = 4 + 128;
    const auto add = [&](ImportedSlide &&slide, const QString &path) {
        size += 5 * 4 + std::min<qint64>(slide.name.size(), 128) + 3 + slide.jpeg.size();
        if (size > sizeLimit)
            return ImportResult::failed(
                QStringLiteral("Slajdy nie zmieszczą się w jednym temacie: z plikiem %1 temat byłby większy niż %2 MB.")
                    .arg(quoted(path))
                    .arg(sizeLimit / (1024 * 1024)));
        out.push_back(std::move(slide));
        return ImportResult();
    };
    const auto cancelled = [&] { return progress && !progress(static_cast<int>(out.size()), total); };
    if (cancelled())
        return {ImportStatus::Cancelled, QString()};
    for (const Source &source : sources) {
        if (!source.pdf) {
            ImportedSlide slide;
            slide.name = singleLineName(QFileInfo(source.path).completeBaseName());
            QByteArray picture;
            ImportResult read = readPicture(source.path, &picture);
            if (read.ok())
                read = pictureSlide(source.path, picture, &slide.jpeg);
            if (read.ok())
                read = add(std::move(slide), source.path);
            if (!read.ok())
                return read;
            if (cancelled())
                return {ImportStatus::Cancelled, QString()};
        } else {
            std::vector<ImportedSlide> pages(static_cast<std::size_t>(source.slides));
            pageNames(source, &pages);
            for (int page = 0; page < source.slides; ++page) {
                ImportedSlide &slide = pages[static_cast<std::size_t>(page)];
                ImportResult rendered = renderPage(source, page, &slide.jpeg);
                if (rendered.ok())
                    rendered = add(std::move(slide), source.path);
                if (!rendered.ok())
                    return rendered;
                if (cancelled())
                    return {ImportStatus::Cancelled, QString()};
            }
        }
    }
    *slides = std::move(out);
    return {};
}

} // namespace marbelo
