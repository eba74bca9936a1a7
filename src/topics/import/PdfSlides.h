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

// Renders the given pages (0-based) to the slide size as JPEGs, on as many
// threads as the processor has cores (at most four, each with its own copy of
// the document), and hands them to take in the order given, on the calling
// thread. cancelled is asked on the calling thread, also while pages render;
// when it answers true, or take fails, the rendering stops at once and that
// result is returned.
using RenderedPage = std::function<ImportResult(QByteArray &&jpeg)>;
ImportResult renderPdfPages(const PdfDeck &deck, const std::vector<int> &pages, const std::function<bool()> &cancelled,
                            const RenderedPage &take);

} // namespace marbelo
