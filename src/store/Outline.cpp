#include "store/Outline.h"

#include "store/SaveFile.h"
#include "store/WholeFile.h"
#include "store/components/Stream.h"

#include <QCoreApplication>
#include <QFileDevice>

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
    return writeWholeFile(
        path,
        [&records](QFileDevice &file, QString *refusal) {
            QString why;
            if (writeOutline(file, records, &why))
                return true;
            // A name that cannot be stored; a failed write the writer tells itself.
            if (file.error() == QFileDevice::NoError)
                *refusal = why;
            return false;
        },
        error);
}

} // namespace marbelo
