#include "topics/import/SlideImport.h"

#include "store/components/JpegDecoder.h"
#include "store/components/JpegEncoder.h"
#include "topics/import/PdfSlides.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <memory>

namespace marbelo {

namespace {

// Pictures up to the pixel limit in 4 bytes a pixel; Qt's own limit is lower.
constexpr int kReaderAllocationMegabytes = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)) + 1;

QString quoted(const QString &path)
{
    return quotedFileName(path);
}

ImportResult unreadable(const QString &path, const QString &why)
{
    return ImportResult::failed(QStringLiteral("Nie można odczytać pliku %1: %2.").arg(quoted(path), why));
}

// One file to import, opened and checked.
struct Source
{
    QString path;
    PdfDeckPtr pdf; // null for a picture, read at its turn
    int slides = 1;
};

bool looksLikePdf(const QString &path, const QByteArray &head)
{
    return head.startsWith("%PDF") || QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
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
        return openPdfDeck(path, &source->pdf, &source->slides);
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

QString quotedFileName(const QString &path)
{
    return QStringLiteral("„%1”").arg(QFileInfo(path).fileName());
}

QStringList slideFilePatterns()
{
    QStringList patterns = {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
                            QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.webp")};
    if (pdfImportAvailable())
        patterns.prepend(QStringLiteral("*.pdf"));
    return patterns;
}

QString slideDialogTitle()
{
    return pdfImportAvailable() ? QStringLiteral("Importuj slajdy z plików PDF i obrazów")
                                : QStringLiteral("Importuj slajdy z obrazów");
}

QString slideFileFilter()
{
    const QString patterns = slideFilePatterns().join(QLatin1Char(' '));
    return pdfImportAvailable()
               ? QStringLiteral("Slajdy (%1)").arg(patterns)
               : QStringLiteral("Obrazy – ta wersja programu nie importuje plików PDF (%1)").arg(patterns);
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
    int done = 0; // slides made, of total
    // The topic file's size so far: the longest title, then per record four
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
    const auto cancelled = [&] { return progress && !progress(done, total); };
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
            ++done;
            if (cancelled())
                return {ImportStatus::Cancelled, QString()};
        } else {
            std::vector<ImportedSlide> records = pdfRecords(*source.pdf);
            std::vector<int> pages;
            for (const ImportedSlide &record : records) {
                if (!record.heading)
                    pages.push_back(record.page);
            }
            std::size_t next = 0; // the next record to add
            const auto addHeadings = [&] {
                ImportResult added;
                while (added.ok() && next < records.size() && records[next].heading)
                    added = add(std::move(records[next++]), source.path);
                return added;
            };
            ImportResult read = renderPdfPages(*source.pdf, pages, cancelled, [&](QByteArray &&jpeg) {
                ImportResult added = addHeadings();
                if (!added.ok())
                    return added;
                records[next].jpeg = std::move(jpeg);
                added = add(std::move(records[next++]), source.path);
                if (!added.ok())
                    return added;
                ++done;
                return cancelled() ? ImportResult{ImportStatus::Cancelled, QString()} : ImportResult();
            });
            if (read.ok())
                read = addHeadings();
            if (!read.ok())
                return read;
        }
    }
    *slides = std::move(out);
    return {};
}

} // namespace marbelo
