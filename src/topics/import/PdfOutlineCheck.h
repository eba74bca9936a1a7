// Whether the bookmarks of a PDF can be walked without end. The PDF library
// follows an outline's /First and /Next links as they are: a cycle among
// them makes its bookmark walk run until memory is exhausted, or recurse
// until the stack overflows. Before the library is asked for bookmarks, the
// file's own objects are read here with limits: every dictionary's /First and
// /Next links (every definition of an object number counts, as do objects in
// object streams) must form no cycle, nest no deeper than kMaxOutlineDepth and
// unfold into no more than kMaxOutlineItems items. Anything that cannot be
// read for sure (an object stream in an unknown coding, a link to an object
// that is not found) counts as unbounded, and the pages are then named
// without bookmarks.
#pragma once

#include <QByteArrayView>

namespace marbelo {

inline constexpr int kMaxOutlineDepth = 32;
inline constexpr int kMaxOutlineItems = 10000;

// True when every walk over the /First and /Next links of the file's objects
// ends within the limits above. When it is false only because something could
// not be read (encrypted object streams are), *unreadable is set true; a
// cycle or a walk past the limits leaves it false.
bool outlineIsBounded(QByteArrayView pdf, bool *unreadable = nullptr);

} // namespace marbelo
