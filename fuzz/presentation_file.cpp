// Presentation files (*.pnn) as the full-screen preview and the player open
// them: the index of their blocks, each slide read by its offset and made
// into a picture of a screen's size, stretched and with its proportions.

#include "FuzzSupport.h"
#include "PlainBlocks.h"

#include "presentation/SlidePictures.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "store/components/JpegDecoder.h"
#include "store/components/Stream.h"

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("input.pnn"));
    const QByteArray file(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    std::unique_ptr<Stream> presentation = openStream(path, OpenMode::Read);
    FUZZ_CHECK(presentation);
    bool complete = false;
    const std::vector<BlockInfo> slides = indexBlocks(*presentation, 0, &complete);
    bool plainComplete = false;
    const std::vector<fuzz::PlainBlock> plain = fuzz::plainIndex(file, 0, &plainComplete);
    FUZZ_CHECK(complete == plainComplete && slides.size() == plain.size());

    for (std::size_t i = 0; i < slides.size(); ++i) {
        FUZZ_CHECK(slides[i].offset == plain[i].offset && slides[i].length == plain[i].length);
        QByteArray coded;
        FUZZ_CHECK(readSlideBlock(*presentation, slides[i].offset, &coded));
        FUZZ_CHECK(coded == file.mid(plain[i].offset + 4, plain[i].length));
        // The first and the last slide go the whole way to the screen.
        if (i != 0 && i + 1 != slides.size())
            continue;
        const QSize screen(320, 240);
        const QImage stretched = renderSlide(coded, screen, SlideFit::Stretch);
        FUZZ_CHECK(stretched.isNull() || stretched.size() == screen);
        const QImage kept = renderSlide(coded, screen, SlideFit::KeepProportions);
        FUZZ_CHECK(kept.isNull()
                   || (kept.width() <= screen.width() && kept.height() <= screen.height()
                       && (kept.width() == screen.width() || kept.height() == screen.height())));
    }

    return 0;
}
