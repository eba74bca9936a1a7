// Slide blocks in image stores Data####.pdl and the front-page file
// TarvixFront.fdl: the block at an outline item's offset, block t of the
// front-page file, the index of a store, a new slide appended to a store, and
// the composition of a presentation file from both.

#include "FuzzSupport.h"
#include "PlainBlocks.h"

#include "presentation/Compose.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace marbelo;

namespace {

QByteArray bytesOf(const std::string &text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void checkIndex(const QString &path, const QByteArray &file, std::int32_t start)
{
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    FUZZ_CHECK(stream);
    bool complete = false;
    const std::vector<BlockInfo> blocks = indexBlocks(*stream, start, &complete);
    bool plainComplete = false;
    const std::vector<fuzz::PlainBlock> plain = fuzz::plainIndex(file, start, &plainComplete);
    FUZZ_CHECK(complete == plainComplete && blocks.size() == plain.size());
    for (std::size_t i = 0; i < blocks.size(); ++i)
        FUZZ_CHECK(blocks[i].offset == plain[i].offset && blocks[i].length == plain[i].length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int type = input.ConsumeIntegralInRange(-1, 7);
    const bool frontPresent = input.ConsumeBool();
    const QByteArray front = bytesOf(input.ConsumeRandomLengthString(4096));
    const QByteArray store = bytesOf(input.ConsumeRandomLengthString(8192));
    bool storeComplete = false;
    const std::vector<fuzz::PlainBlock> storeBlocks = fuzz::plainIndex(store, 4, &storeComplete);
    std::vector<ItemReference> references;
    const int referenceCount = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < referenceCount; ++i) {
        // Mostly offsets of real blocks, sometimes anything at all.
        if (!storeBlocks.empty() && input.ConsumeBool())
            references.push_back(static_cast<ItemReference>(
                storeBlocks[input.ConsumeIntegralInRange<std::size_t>(0, storeBlocks.size() - 1)].offset));
        else
            references.push_back(input.ConsumeIntegral<ItemReference>());
    }
    const QByteArray newSlide = bytesOf(input.ConsumeRandomLengthString(512));

    const QString dir = fuzz::workDir();
    const QString frontPath = dir + kFrontPageName;
    const QString storePath = dir + imageStoreFileName(0);
    QFile::remove(frontPath);
    if (frontPresent)
        fuzz::writeFile(frontPath, front);
    fuzz::writeFile(storePath, store);
    RecordBytes record;
    FUZZ_CHECK(packTrainingRecord({QStringLiteral("Szkolenie"), type, 0}, &record));
    fuzz::writeFile(dir + kCatalogueName, QByteArray(reinterpret_cast<const char *>(record.data()), kRecordSize));

    // The readers against the plain model.
    checkIndex(storePath, store, 4);
    if (frontPresent) {
        checkIndex(frontPath, front, 0);
        std::unique_ptr<Stream> stream = openStream(frontPath, OpenMode::Read);
        FUZZ_CHECK(stream);
        for (int t = -1; t <= 7; ++t) {
            QByteArray coded, expected;
            const bool read = readNthBlock(*stream, t, &coded);
            FUZZ_CHECK(read == fuzz::plainNthBlock(front, t, &expected));
            FUZZ_CHECK(!read || coded == expected);
        }
    }
    {
        std::unique_ptr<Stream> stream = openStream(storePath, OpenMode::Read);
        FUZZ_CHECK(stream);
        for (ItemReference reference : references) {
            const auto offset = static_cast<std::int32_t>(slideOffset(reference));
            QByteArray coded, expected;
            const bool read = readSlideBlock(*stream, offset, &coded);
            FUZZ_CHECK(read == fuzz::plainBlock(store, offset, &expected));
            FUZZ_CHECK(!read || coded == expected);
        }
    }

    // Composition: the front page, then each item's block, or nothing at all.
    QByteArray expected;
    bool composable = true;
    QByteArray coded;
    if (frontPresent && type >= 0) {
        composable = fuzz::plainNthBlock(front, type, &coded);
        expected += blockBytes(coded);
    }
    for (ItemReference reference : references) {
        if (!composable || !hasSlide(reference))
            continue;
        composable = fuzz::plainBlock(store, slideOffset(reference), &coded);
        expected += blockBytes(coded);
    }
    const QString outPath = dir + QStringLiteral("View.pnn");
    const QByteArray previous = QByteArrayLiteral("previous presentation");
    fuzz::writeFile(outPath, previous);
    TrainingRecord training;
    const ComposeResult result = composePresentation(dir, 0, references, &training, outPath);
    FUZZ_CHECK(training.type == type);
    FUZZ_CHECK(result.ok == composable);
    FUZZ_CHECK(fuzz::readFile(outPath) == (composable ? expected : previous));
    FUZZ_CHECK(!result.ok || result.bytes == expected.size());

    // Appending a slide: the magic first in an empty store, the old bytes kept,
    // and the new block readable at the offset returned.
    const std::optional<std::int32_t> offset = appendSlideBlock(storePath, newSlide);
    FUZZ_CHECK(offset);
    const QByteArray grown = fuzz::readFile(storePath);
    const QByteArray head = store.isEmpty() ? kImageStoreMagic : store;
    FUZZ_CHECK(*offset == head.size() && grown == head + blockBytes(newSlide));
    QByteArray back;
    FUZZ_CHECK(readSlideBlock(storePath, *offset, &back) && back == newSlide);
    return 0;
}
