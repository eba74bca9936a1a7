#include "presentation/Compose.h"

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Records.h"
#include "store/SaveFile.h"
#include "store/SlideBlocks.h"
#include "store/TargetFiles.h"
#include "store/components/Stream.h"

#include <QSaveFile>

#include <limits>

namespace marbelo {

namespace {

// Later readers address the file with 32-bit offsets.
constexpr qint64 kMaxPresentationSize = std::numeric_limits<std::int32_t>::max();

class Output
{
public:
    explicit Output(const QString &path) : m_file(path) {}

    bool open() { return openAtTarget(m_file); }
    bool append(const QByteArray &coded)
    {
        const QByteArray length = int32Bytes(static_cast<std::int32_t>(coded.size()));
        if (m_size + length.size() + coded.size() > kMaxPresentationSize)
            return false;
        if (m_file.write(length) != length.size() || m_file.write(coded) != coded.size())
            return false;
        m_size += length.size() + coded.size();
        return true;
    }
    bool commit() { return commitWhole(m_file); }
    void cancel() { m_file.cancelWriting(); }
    qint64 size() const { return m_size; }

private:
    QSaveFile m_file;
    qint64 m_size = 0;
};

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

    Output out(outPath);
    if (!out.open()) {
        result.error = QStringLiteral("nie można utworzyć pliku prezentacji");
        return result;
    }
    auto fail = [&](const QString &error) {
        out.cancel();
        result.error = error;
        result.frontPage = false;
        result.itemSlides = 0;
        return result;
    };
    const QString tooLarge = QStringLiteral("prezentacja jest zbyt duża");
    QString refused;
    const auto shown = [&](QByteArray &coded) { return !slides || slides->add(coded, &refused); };

    std::unique_ptr<Stream> front;
    const QString frontPath = frontPagePath.isEmpty() ? dataDir + kFrontPageName : frontPagePath;
    if (training->type >= 0 && (front = openStream(frontPath, OpenMode::Read))) {
        QByteArray coded;
        // Blocks before t are skipped by their lengths, each checked against
        // what the file holds.
        if (!readNthBlock(*front, training->type, &coded))
            return fail(QStringLiteral("plik stron tytułowych %1 jest uszkodzony").arg(kFrontPageName));
        if (!out.append(coded))
            return fail(tooLarge);
        if (!shown(coded))
            return fail(refused);
        result.frontPage = true;
        front.reset();
    }

    QByteArray coded;
    for (std::size_t i = 0; i < references.size(); ++i) {
        if (!hasSlide(references[i]))
            continue;
        const auto offset = static_cast<std::int32_t>(slideOffset(references[i]));
        if (!readBlockInto(*store, offset, &coded)) {
            return fail(QStringLiteral("slajd pozycji %1 w pliku %2 jest uszkodzony")
                            .arg(i + 1)
                            .arg(imageStoreFileName(trainingNumber)));
        }
        if (!out.append(coded))
            return fail(tooLarge);
        if (!shown(coded))
            return fail(refused);
        ++result.itemSlides;
    }
    coded.clear();

    if (!out.commit()) {
        result.error = QStringLiteral("nie można zapisać pliku prezentacji");
        result.frontPage = false;
        result.itemSlides = 0;
        return result;
    }
    result.ok = true;
    result.bytes = out.size();
    return result;
}

} // namespace marbelo
