// The slide decoder on any bytes: the size read from the header, and the
// decode at a target size (the preview pane's or the screen's). A picture
// comes out whole at the promised size, or not at all.

#include "FuzzSupport.h"

#include "store/components/JpegDecoder.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The target size comes from the input's last bytes, the JPEG from the rest.
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange(-1, 2048);
    const int height = input.ConsumeIntegralInRange(-1, 2048);
    const std::size_t jpegSize = input.remaining_bytes();
    const QByteArray jpeg(reinterpret_cast<const char *>(data), static_cast<qsizetype>(jpegSize));

    const QSize full = jpegImageSize(jpeg);
    QString error;
    const QImage picture = decodeJpeg(jpeg, QSize(width, height), &error);
    if (picture.isNull()) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(error.isEmpty());
    FUZZ_CHECK(full.isValid() && isDecodableJpegSize(full));
    FUZZ_CHECK(picture.format() == QImage::Format_RGB32);
    FUZZ_CHECK(picture.size() == scaledDecodeSize(full, QSize(width, height)));
    return 0;
}
