#include "store/Outline.h"

#include "store/SaveFile.h"
#include "store/components/Stream.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace marbelo {

bool readOutline(const QString &path, std::vector<OutlineRecord> *records)
{
    records->clear();
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    if (!stream)
        return false;
    const int count = stream->size() / kRecordSize;
    records->reserve(static_cast<size_t>(count));
    RecordBytes bytes;
    for (int i = 0; i < count; ++i) {
        if (stream->read(bytes.data(), kRecordSize) != kRecordSize)
            break;
        records->push_back(unpackOutlineRecord(bytes));
    }
    return true;
}

bool writeOutline(QIODevice &device, const std::vector<OutlineRecord> &records, QString *error)
{
    RecordBytes bytes;
    for (const OutlineRecord &record : records) {
        if (!packOutlineRecord(record, &bytes)) {
            if (error)
                *error = QCoreApplication::translate("Outline", "Nazwa pozycji zawiera niedozwolone znaki.");
            return false;
        }
        if (device.write(reinterpret_cast<const char *>(bytes.data()), kRecordSize) != kRecordSize) {
            if (error)
                *error = device.errorString();
            return false;
        }
    }
    return true;
}

bool saveOutline(const QString &path, const std::vector<OutlineRecord> &records, QString *error)
{
    removeStaleSaveFiles(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!writeOutline(file, records, error)) {
        file.cancelWriting();
        return false;
    }
    return commitWhole(file, error);
}

} // namespace marbelo
