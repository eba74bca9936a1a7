// The PDF import's bookmark walk on any bytes: the bounded check over the
// file's objects, then, when it lets them through, the PDF library's own
// bookmark walk, which must end with no more items than the check allowed.
// A looping or overflowing walk shows as a timeout or a crash.

#include "FuzzSupport.h"

#include "topics/import/PdfOutlineCheck.h"

#include <QModelIndex>
#include <QPdfBookmarkModel>
#include <QPdfDocument>

#include <vector>

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    if (!outlineIsBounded(bytes))
        return 0;
    QPdfDocument document;
    if (document.load(fuzz::inputFile(data, size, QStringLiteral("input.pdf"))) != QPdfDocument::Error::None)
        return 0;
    QPdfBookmarkModel model;
    model.setDocument(&document);
    int items = 0;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex at = pending.back();
        pending.pop_back();
        for (int row = 0; row < model.rowCount(at); ++row) {
            ++items;
            pending.push_back(model.index(row, 0, at));
        }
    }
    FUZZ_CHECK(items <= kMaxOutlineItems);
    return 0;
}
