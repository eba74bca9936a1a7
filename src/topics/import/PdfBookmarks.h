// How a PDF deck's bookmarks and pages become the records of a topic. Every
// page is one slide, in page order; every bookmark is one record, in its
// outline order and nesting, placed at the page it points to. When several
// bookmarks point at one page (a section and its first subsection do), the
// last of them names the page's slide and the others become headings without
// a slide before it. A bookmark that points at no page is a heading placed
// before the next bookmark that does (or at the end). Pages no bookmark
// points at are "Slajd N", one level below the last bookmark before them.
#pragma once

#include "topics/import/SlideImport.h"

#include <vector>

namespace marbelo {

struct PdfBookmark
{
    QString title;
    int level = 0; // 0 for a top-level bookmark
    int page = -1; // 0-based; -1 when it points at no page of the document
};

// The records for a deck of pageCount pages: names, depths, headings and the
// page each slide shows (ImportedSlide::page); no pixels yet. Depths are
// clamped to kMaxSlideDepth and never more than one below the record before,
// so that the topic's tree lists the records in this order.
std::vector<ImportedSlide> slidesFromBookmarks(const std::vector<PdfBookmark> &bookmarks, int pageCount);

} // namespace marbelo
