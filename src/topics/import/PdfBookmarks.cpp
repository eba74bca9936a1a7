#include "topics/import/PdfBookmarks.h"

#include <algorithm>

namespace marbelo {

std::vector<ImportedSlide> slidesFromBookmarks(const std::vector<PdfBookmark> &bookmarks, int pageCount)
{
    // Each bookmark's place: its page, or, for one without a page, the page
    // of the next bookmark that has one (pageCount: after the last page).
    std::vector<int> place(bookmarks.size(), pageCount);
    int next = pageCount;
    for (std::size_t i = bookmarks.size(); i-- > 0;) {
        const int page = bookmarks[i].page;
        if (page >= 0 && page < pageCount)
            next = page;
        place[i] = next;
    }
    std::vector<std::size_t> order(bookmarks.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return place[a] < place[b]; });

    std::vector<ImportedSlide> out;
    out.reserve(order.size() + static_cast<std::size_t>(std::max(pageCount, 0)));
    int previous = -1;   // depth of the record before
    int underneath = 0;  // depth of a page without a bookmark
    const auto push = [&](ImportedSlide &&record) {
        record.depth = std::clamp(record.depth, 0, std::min(previous + 1, kMaxSlideDepth));
        previous = record.depth;
        out.push_back(std::move(record));
    };
    std::size_t at = 0;
    for (int page = 0; page <= pageCount; ++page) {
        // The bookmarks placed at this page: all but the last are headings.
        const std::size_t first = at;
        while (at < order.size() && place[order[at]] == page)
            ++at;
        for (std::size_t k = first; k < at; ++k) {
            const PdfBookmark &bookmark = bookmarks[order[k]];
            ImportedSlide record;
            record.name = singleLineName(bookmark.title);
            record.depth = bookmark.level;
            const bool ownsPage = k + 1 == at && page < pageCount;
            record.heading = !ownsPage;
            record.page = ownsPage ? page : -1;
            push(std::move(record));
            underneath = std::min(previous + 1, kMaxSlideDepth);
        }
        if (page < pageCount && first == at) {
            ImportedSlide record;
            record.name = QStringLiteral("Slajd %1").arg(page + 1);
            record.depth = underneath;
            record.page = page;
            push(std::move(record));
        }
    }
    return out;
}

} // namespace marbelo
