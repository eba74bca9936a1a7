// The PDF import's bookmark walk on any bytes: the bounded check over the
// file's objects, then Poppler's outline walked within the same limits, and
// the records made of it. A looping or overflowing walk shows as a timeout or
// a crash; the records must hold every page once, in order.

#include "FuzzSupport.h"

#include "topics/import/PdfOutlineCheck.h"
#include "topics/import/PdfSlides.h"

#include <vector>

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("input.pdf"));
    PdfDeckPtr deck;
    int pages = 0;
    if (!openPdfDeck(path, &deck, &pages).ok())
        return 0;
    const std::vector<ImportedSlide> records = pdfRecords(*deck);
    FUZZ_CHECK(records.size() <= std::size_t(kMaxOutlineItems) + std::size_t(pages));
    int next = 0;
    for (const ImportedSlide &record : records) {
        if (!record.heading)
            FUZZ_CHECK(record.page == next++);
    }
    FUZZ_CHECK(next == pages);
    return 0;
}
