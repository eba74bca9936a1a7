// Builds without a PDF renderer: every PDF is refused, naming the file and
// what to do instead, so that no import fails without a word.

#include "topics/import/PdfSlides.h"

namespace marbelo {

class PdfDeck
{
};

void PdfDeckDeleter::operator()(PdfDeck *deck) const
{
    delete deck;
}

bool pdfImportAvailable()
{
    return false;
}

ImportResult openPdfDeck(const QString &path, PdfDeckPtr *, int *)
{
    return ImportResult::failed(QStringLiteral("Plik %1 jest dokumentem PDF, a ta wersja programu nie importuje plików "
                                               "PDF. Zapisz jego strony jako obrazy (JPEG albo PNG) i zaimportuj je.")
                                    .arg(quotedFileName(path)));
}

std::vector<ImportedSlide> pdfRecords(const PdfDeck &)
{
    return {};
}

ImportResult renderPdfPages(const PdfDeck &, const std::vector<int> &, const std::function<bool()> &,
                            const RenderedPage &)
{
    return ImportResult::failed(QStringLiteral("Ta wersja programu nie importuje plików PDF."));
}

} // namespace marbelo
