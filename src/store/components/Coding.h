// The coding of library texts and slides.
#pragma once

#include <QByteArray>

namespace marbelo {

// XORs byte i with byte i mod 8 of "QUOXIRAN". Coding and decoding are the same
// operation, and the length never changes.
QByteArray BCodeToStr(const QByteArray &coded);

// The same from in to out (which may be the same bytes), for size bytes that
// begin at byte start of a coded run.
void BCodeCopy(const char *in, char *out, qsizetype size, qsizetype start);

} // namespace marbelo
