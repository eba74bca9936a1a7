// Slides of a block file decoded into numbered JPEG files in a folder: what
// marbelo-tool extract writes and what the browser player of an exported
// presentation shows.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace marbelo {

class Stream;

// prefix + n as four digits (more when n needs them) + ".jpg"; n counts from 1.
QString decodedSlideName(const QString &prefix, int n);

// Writes the decoded slide of every block at offsets into dir, named
// decodedSlideName(prefix, 1), (prefix, 2) ..., each file written whole or not
// at all. Stops at the first block that cannot be read or file that cannot be
// written; error then names it.
bool writeDecodedSlides(Stream &stream, const std::vector<std::int32_t> &offsets, const QString &dir,
                        const QString &prefix, QString *error);

} // namespace marbelo
