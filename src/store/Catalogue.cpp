#include "store/Catalogue.h"

#include "store/DataFiles.h"
#include "store/components/Stream.h"

#include <QCoreApplication>
#include <QFile>

namespace marbelo {

namespace {

QString cataloguePath(const QString &dataDir)
{
    return dataDir + kCatalogueName;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool readRecordAt(Stream &stream, int number, RecordBytes *bytes)
{
    const qint64 at = qint64(number) * kRecordSize;
    if (number < 0 || at + kRecordSize > stream.size())
        return false;
    if (stream.seek(static_cast<std::int32_t>(at), kFromStart) < 0)
        return false;
    return stream.read(bytes->data(), kRecordSize) == kRecordSize;
}

// Writes 137 bytes at a record position; on a short write the previous bytes
// (or the previous end of the file) are restored.
bool writeRecordAt(Stream &stream, std::int32_t at, const RecordBytes &bytes, QString *error)
{
    const std::int32_t oldSize = stream.size();
    QByteArray previous;
    if (at < oldSize) {
        stream.seek(at, kFromStart);
        previous.resize(std::min<std::int32_t>(kRecordSize, oldSize - at));
        stream.read(previous.data(), static_cast<std::int32_t>(previous.size()));
    }
    if (stream.seek(at, kFromStart) == at && stream.write(bytes.data(), kRecordSize) == kRecordSize
        && stream.flush())
        return true;
    if (!previous.isEmpty() && stream.seek(at, kFromStart) == at)
        stream.writeAll(previous);
    if (at + kRecordSize > oldSize)
        stream.truncate(oldSize);
    setError(error, QCoreApplication::translate("Catalogue", "Nie można zapisać pliku %1.")
                        .arg(kCatalogueName));
    return false;
}

// Writes bytes as training number's record: over it, or, with mayAppend, as
// the next record when number is the catalogue's next number (over a partial
// record at the end, as a new record is).
bool writeRecordNumber(const QString &dataDir, int number, const RecordBytes &bytes, bool mayAppend,
                       QString *error)
{
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::Write);
    if (number < 0 || !stream) {
        setError(error, QCoreApplication::translate("Catalogue", "Nie można otworzyć pliku %1.")
                            .arg(kCatalogueName));
        return false;
    }
    const qint64 at = qint64(number) * kRecordSize;
    const qint64 wholeRecords = stream->size() - stream->size() % kRecordSize;
    if (mayAppend ? at > wholeRecords : at + kRecordSize > stream->size()) {
        setError(error, QCoreApplication::translate("Catalogue", "Brak szkolenia w pliku %1.")
                            .arg(kCatalogueName));
        return false;
    }
    return writeRecordAt(*stream, static_cast<std::int32_t>(at), bytes, error);
}

} // namespace

bool readCatalogue(const QString &dataDir, std::vector<CatalogueEntry> *entries)
{
    entries->clear();
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::Read);
    if (!stream)
        return false;
    const int count = stream->size() / kRecordSize;
    entries->reserve(static_cast<size_t>(count));
    RecordBytes bytes;
    for (int i = 0; i < count; ++i) {
        if (stream->read(bytes.data(), kRecordSize) != kRecordSize)
            break;
        entries->push_back({i, unpackTrainingRecord(bytes)});
    }
    return true;
}

bool readTrainingRecord(const QString &dataDir, int number, TrainingRecord *record)
{
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::Read);
    if (!stream)
        return false;
    RecordBytes bytes;
    if (!readRecordAt(*stream, number, &bytes))
        return false;
    *record = unpackTrainingRecord(bytes);
    return true;
}

std::optional<int> appendTrainingRecord(const QString &dataDir, const TrainingRecord &record,
                                        QString *error)
{
    RecordBytes bytes;
    if (!packTrainingRecord(record, &bytes)) {
        setError(error, QCoreApplication::translate("Catalogue", "Nazwa zawiera niedozwolone znaki."));
        return std::nullopt;
    }
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::Write);
    if (!stream) {
        setError(error, QCoreApplication::translate("Catalogue", "Nie można otworzyć pliku %1.")
                            .arg(kCatalogueName));
        return std::nullopt;
    }
    // A partial record left at the end by someone else is written over, so that
    // the new record starts on a record boundary and its number is its position.
    const std::int32_t size = stream->size();
    const std::int32_t at = size - size % kRecordSize;
    if (!writeRecordAt(*stream, at, bytes, error))
        return std::nullopt;
    if (size != at)
        stream->truncate(at + kRecordSize);
    return (at + kRecordSize) / kRecordSize - 1;
}

bool takeBackTrainingRecord(const QString &dataDir, int number)
{
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::ReadWrite);
    if (number < 0 || !stream)
        return false;
    const qint64 at = qint64(number) * kRecordSize;
    return at + kRecordSize == stream->size() && stream->truncate(static_cast<std::int32_t>(at));
}

bool rewriteTrainingRecord(const QString &dataDir, int number, const TrainingRecord &record,
                           QString *error)
{
    RecordBytes bytes;
    if (!packTrainingRecord(record, &bytes)) {
        setError(error, QCoreApplication::translate("Catalogue", "Nazwa zawiera niedozwolone znaki."));
        return false;
    }
    return writeRecordNumber(dataDir, number, bytes, false, error);
}

bool readTrainingRecordBytes(const QString &dataDir, int number, RecordBytes *bytes)
{
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::Read);
    return stream && readRecordAt(*stream, number, bytes);
}

bool restoreTrainingRecord(const QString &dataDir, int number, const RecordBytes &bytes, QString *error)
{
    return writeRecordNumber(dataDir, number, bytes, true, error);
}

bool markTrainingDeleted(const QString &dataDir, int number, QString *error)
{
    std::unique_ptr<Stream> stream = openStream(cataloguePath(dataDir), OpenMode::ReadWrite);
    if (!stream) {
        setError(error, QCoreApplication::translate("Catalogue", "Nie można otworzyć pliku %1.")
                            .arg(kCatalogueName));
        return false;
    }
    RecordBytes bytes;
    if (!readRecordAt(*stream, number, &bytes)) {
        setError(error, QCoreApplication::translate("Catalogue", "Brak szkolenia w pliku %1.")
                            .arg(kCatalogueName));
        return false;
    }
    // Only the flag changes; the name bytes stay exactly as they were.
    putInt32(bytes.data() + 133, -1);
    return writeRecordAt(*stream, number * kRecordSize, bytes, error);
}

bool createTrainingFiles(const QString &dataDir, int number)
{
    const bool storeMade = openStream(dataDir + imageStoreFileName(number), OpenMode::Create) != nullptr;
    const bool outlineMade = openStream(dataDir + outlineFileName(number), OpenMode::Create) != nullptr;
    // A programme left by a training taken back under this number is not the new one's.
    QFile::remove(dataDir + programmeFileName(number));
    return storeMade && outlineMade;
}

} // namespace marbelo
