// PDF decks read into slides for the slide import. Two implementations:
// PdfSlides.cpp reads and renders with Poppler (on Linux and Windows alike);
// PdfSlidesNone.cpp serves builds without a PDF renderer, and refuses every
// PDF with a message that says so.
#pragma once

#include "topics/import/SlideImport.h"

#include <functional>
#include <memory>
#include <vector>

namespace marbelo {

class PdfDeck;
struct PdfDeckDeleter
{
    void operator()(PdfDeck *deck) const;
};
using PdfDeckPtr = std::unique_ptr<PdfDeck, PdfDeckDeleter>;

// Whether this build imports PDF files.
bool pdfImportAvailable();

// Opens the PDF at path and counts its pages (1 to kMaxPdfPages); fails with
// the message for the user otherwise.
ImportResult openPdfDeck(const QString &path, PdfDeckPtr *deck, int *pages);

// The deck's records from its bookmarks and pages (PdfBookmarks.h), without
// pixels; its bookmarks are read only when their walk is bounded.
std::vector<ImportedSlide> pdfRecords(const PdfDeck &deck);

// The page rendered to the slide size and encoded as JPEG. cancelled is asked
// while the page renders; when it answers true the import is Cancelled.
ImportResult renderPdfPage(const PdfDeck &deck, int page, QByteArray *jpeg, const std::function<bool()> &cancelled);

} // namespace marbelo
