// Windows-1250 text: the 8-bit code page of every name stored in the data files.
#pragma once

#include <QByteArray>
#include <QString>

namespace marbelo {

// Decodes 8-bit Windows-1250 bytes. Every byte maps to one character; the five
// bytes the code page leaves unassigned map to the C1 controls of the same value,
// so decoding and encoding are lossless.
QString decodeCp1250(const QByteArray &bytes);

// True when every character of the text has a Windows-1250 byte.
bool canEncodeCp1250(const QString &text);

// Encodes text to Windows-1250. Returns false (and leaves out nothing silently:
// the output is then incomplete and must not be used) when a character has no byte.
bool encodeCp1250(const QString &text, QByteArray *out);

} // namespace marbelo
