// Decoding of the JPEG slides into pictures, with DCT-domain scaling to the size
// they are shown at. Corrupt or truncated data is a failed decode, never a partial picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace marbelo {

// Pictures larger than this are refused before anything is allocated for them.
inline constexpr int kMaxJpegSide = 16384;
inline constexpr qint64 kMaxJpegPixels = 100'000'000;

// True when a picture of this full size is one we agree to decode.
bool isDecodableJpegSize(QSize fullSize);

// Size of the picture in a JPEG file image, read from its header; an invalid
// QSize when the header is unreadable.
QSize jpegImageSize(const QByteArray &jpeg);

// The size decodeJpeg produces for a picture of fullSize and the target: without
// a valid target the full size; otherwise the smallest of libjpeg-turbo's scaled
// sizes (factors up to 1) whose width and height both reach the target's, or the
// full size when none does (the decoder never enlarges).
QSize scaledDecodeSize(QSize fullSize, QSize target);

// Decodes a complete JPEG file image into a QImage of Format_RGB32, at
// scaledDecodeSize(full size, target). Greyscale pictures come out grey, CMYK and
// YCCK pictures are converted the way Adobe applications store them (inverted
// components). Any fault in the data, warnings included, gives a null QImage and,
// when error is given, a text saying why (cleared on success).
QImage decodeJpeg(const QByteArray &jpeg, QSize target = QSize(), QString *error = nullptr);

} // namespace marbelo
