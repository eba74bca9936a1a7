// PDF decks read into slides for the slide import. Two implementations:
// PdfSlides.cpp renders with Qt's PDF module; PdfSlidesNone.cpp serves builds
// without it (Windows, where that module cannot be built), and refuses every
// PDF with a message that says so.
#pragma once

#include "topics/import/SlideImport.h"

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

// Names and depths of the deck's pages (one entry per page) from its bookmarks.
void namePdfPages(const PdfDeck &deck, std::vector<ImportedSlide> *pages);

// The page rendered to the slide size and encoded as JPEG.
ImportResult renderPdfPage(const PdfDeck &deck, int page, QByteArray *jpeg);

} // namespace marbelo
