// Own slides: PDF decks and pictures read into slides for a framework topic.
// A PDF gives one slide per page, named after its bookmarks; a picture gives
// one slide named after its file. Shared by the window and marbelo-tool.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace marbelo {

inline constexpr int kSlideLongSide = 1920;
inline constexpr qint64 kMaxPicturePixels = 100'000'000;
inline constexpr int kMaxSlideDepth = 2;
// Inputs beyond these are refused before they are read.
inline constexpr qint64 kMaxPictureFileSize = 256 * 1024 * 1024;
inline constexpr int kMaxPdfPages = 5000;
// The largest topic file whose slides an item reference can address (bits 0-29).
inline constexpr qint64 kMaxTopicFileSize = 0x3FFFFFFF;

struct ImportedSlide
{
    QString name;
    int depth = 0;
    QByteArray jpeg;      // a complete JPEG file image, plain; empty for a heading
    bool heading = false; // a record without a slide (a bookmark that owns no page)
    int page = -1;        // for a PDF's slide, the 0-based page it shows
};

// Told after each slide how many of the total are done; returning false
// cancels the import. Also called once with 0 before the first slide, and
// while a page renders, so that a cancelled import stops within it.
using ImportProgress = std::function<bool(int done, int total)>;

enum class ImportStatus { Done, Failed, Cancelled };

struct ImportResult
{
    ImportStatus status = ImportStatus::Done;
    QString message; // for Failed: what went wrong with which file, in Polish

    bool ok() const { return status == ImportStatus::Done; }
    static ImportResult failed(const QString &message) { return {ImportStatus::Failed, message}; }
};

// The name with every control character (line breaks, tabs ...) turned into
// a space: slide names and titles are single lines.
QString singleLineName(const QString &name);

// The file patterns the import accepts, as a file dialog filter lists them
// (*.pdf only in builds that import PDF files).
QStringList slideFilePatterns();
// The title and the filter of the import's file dialog; without PDF import
// the filter says that PDF files are not imported.
QString slideDialogTitle();
QString slideFileFilter();

// The file's name in Polish quotes, as messages name it.
QString quotedFileName(const QString &path);

// Reads every file into slides, in order. All files are checked before the
// first page is rendered (only regular files, pictures within
// kMaxPictureFileSize, PDFs within kMaxPdfPages pages) and read one at a
// time; on failure or cancellation slides is left empty. A PDF's bookmarks
// name its pages only when their walk is bounded (PdfOutlineCheck.h).
// Slides that would make a topic file larger than sizeLimit are refused.
ImportResult readSlides(const QStringList &files, std::vector<ImportedSlide> *slides,
                        const ImportProgress &progress = {}, qint64 sizeLimit = kMaxTopicFileSize);

// The slides of one picture file's bytes: kept as they are when they are a
// baseline JPEG within the slide size, otherwise decoded (EXIF orientation
// applied), scaled down to the slide size and encoded. A picture of more than
// kMaxPicturePixels is refused before it is decoded, and a JPEG that does not
// decode whole is refused.
ImportResult pictureSlide(const QString &fileName, const QByteArray &bytes, QByteArray *jpeg);

} // namespace marbelo
