#include "presentation/Compose.h"

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/WholeFile.h"
#include "store/components/Stream.h"

#include <QFileDevice>

#include <limits>

namespace marbelo {

namespace {

// Later readers address the file with 32-bit offsets.
constexpr qint64 kMaxPresentationSize = std::numeric_limits<std::int32_t>::max();

// Writes one slide block (its length, then its coded bytes) into the file,
// which may not grow past what later readers address; false with the reason
// in refusal for a presentation too large, without one for a failed write.
bool appendBlock(QFileDevice &file, const QByteArray &coded, qint64 *size, QString *refusal)
{
    const QByteArray length = int32Bytes(static_cast<std::int32_t>(coded.size()));
    if (*size + length.size() + coded.size() > kMaxPresentationSize) {
        *refusal = QStringLiteral("prezentacja jest zbyt duża");
        return false;
    }
    if (file.write(length) != length.size() || file.write(coded) != coded.size())
        return false;
    *size += length.size() + coded.size();
    return true;
}

// Reads the block at offset into buffer, whose memory is kept from slide to
// slide: allocating and touching fresh memory for every slide costs more than
// the copy itself. The length is checked against what the file holds.
bool readBlockInto(Stream &stream, std::int32_t offset, QByteArray *buffer)
{
    std::int32_t length = 0;
    if (offset < 0 || stream.seek(offset, kFromStart) != offset || !stream.readInt32(&length) || length < 0
        || length > stream.size() - stream.position())
        return false;
    buffer->resize(length);
    return stream.read(buffer->data(), length) == length;
}

} // namespace

std::unique_ptr<Stream> openTrainingSlides(const QString &dataDir, int trainingNumber, TrainingRecord *training,
                                           QString *error)
{
    TrainingRecord record;
    if (readTrainingRecord(dataDir, trainingNumber, &record))
        *training = record;
    std::unique_ptr<Stream> store = openStream(dataDir + imageStoreFileName(trainingNumber), OpenMode::Read);
    if (!store) {
        *error = QStringLiteral("nie można otworzyć pliku slajdów szkolenia %1")
                     .arg(imageStoreFileName(trainingNumber));
        return nullptr;
    }
    return store;
}

ComposeResult composePresentation(const QString &dataDir, int trainingNumber,
                                  const std::vector<ItemReference> &references, TrainingRecord *training,
                                  const QString &outPath, const QString &frontPagePath, ComposedSlides *slides)
{
    ComposeResult result;
    const std::unique_ptr<Stream> store = openTrainingSlides(dataDir, trainingNumber, training, &result.error);
    if (!store)
        return result;

    qint64 size = 0;
    QString refused; // why the composition stopped, when not for a failed write
    QString *const refusal = &refused;
    const auto compose = [&](QFileDevice &out, QString *) {
        const auto shown = [&](QByteArray &coded) { return !slides || slides->add(coded, refusal); };
        std::unique_ptr<Stream> front;
        const QString frontPath = frontPagePath.isEmpty() ? dataDir + kFrontPageName : frontPagePath;
        if (training->type >= 0 && (front = openStream(frontPath, OpenMode::Read))) {
            QByteArray coded;
            // Blocks before t are skipped by their lengths, each checked against
            // what the file holds.
            if (!readNthBlock(*front, training->type, &coded)) {
                *refusal = QStringLiteral("plik stron tytułowych %1 jest uszkodzony").arg(kFrontPageName);
                return false;
            }
            if (!appendBlock(out, coded, &size, refusal) || !shown(coded))
                return false;
            result.frontPage = true;
            front.reset();
        }

        QByteArray coded;
        for (std::size_t i = 0; i < references.size(); ++i) {
            if (!hasSlide(references[i]))
                continue;
            const auto offset = static_cast<std::int32_t>(slideOffset(references[i]));
            if (!readBlockInto(*store, offset, &coded)) {
                *refusal = QStringLiteral("slajd pozycji %1 w pliku %2 jest uszkodzony")
                               .arg(i + 1)
                               .arg(imageStoreFileName(trainingNumber));
                return false;
            }
            if (!appendBlock(out, coded, &size, refusal) || !shown(coded))
                return false;
            ++result.itemSlides;
        }
        return true;
    };
    if (!writeWholeFile(outPath, compose, &result.error)) {
        result.fileFailed = refused.isEmpty();
        if (!result.fileFailed)
            result.error = refused;
        result.frontPage = false;
        result.itemSlides = 0;
        return result;
    }
    result.ok = true;
    result.bytes = size;
    return result;
}

} // namespace marbelo
