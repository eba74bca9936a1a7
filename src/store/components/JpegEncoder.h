// Encoding of new slides: baseline JPEG through TurboJPEG, and the test for a
// JPEG file that can be stored as a slide as it is.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace marbelo {

inline constexpr int kSlideJpegQuality = 90;

// A baseline (sequential, Huffman-coded) JPEG file image of the picture at the
// given quality, 4:2:0 subsampled. An alpha channel is laid on white first.
// False with a reason in error when the picture is null or TurboJPEG fails.
bool encodeJpeg(const QImage &picture, QByteArray *jpeg, QString *error = nullptr, int quality = kSlideJpegQuality);

// True when the bytes start a JPEG file whose frame is baseline (SOF0). Only
// the markers up to the frame header are looked at; whether the rest decodes
// is for the decoder to tell.
bool isBaselineJpeg(const QByteArray &jpeg);

// The picture with any transparency laid on white, in Format_RGB32.
QImage onWhite(const QImage &picture);

} // namespace marbelo
