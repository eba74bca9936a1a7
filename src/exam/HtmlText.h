// The plain text of an HTML fragment, as a question bank from a learning
// platform holds it: tags and comments dropped, character references
// decoded, <br> and </p> as line breaks, runs of blanks folded to one space.
#pragma once

#include <QString>

namespace marbelo::exam {

// hadMarkup, when given, tells whether the fragment had a tag, a comment or a
// character reference.
QString plainFromHtml(const QString &html, bool *hadMarkup = nullptr);

} // namespace marbelo::exam
