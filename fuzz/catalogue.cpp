// The training catalogue Projects.pdl as it arrives from another machine: every
// record read, each record's way through unpacking and packing, and the three
// writers (append, rewrite in place, mark deleted) on top of whatever it holds.

#include "FuzzSupport.h"

#include "store/Catalogue.h"
#include "store/DataFiles.h"

#include <cstring>

using namespace marbelo;

namespace {

RecordBytes recordAt(const QByteArray &bytes, int number)
{
    RecordBytes record;
    std::memcpy(record.data(), bytes.constData() + qsizetype(number) * kRecordSize, kRecordSize);
    return record;
}

QByteArray packed(const TrainingRecord &record)
{
    RecordBytes bytes;
    FUZZ_CHECK(packTrainingRecord(record, &bytes));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), kRecordSize);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString dir = fuzz::workDir();
    const QString path = fuzz::inputFile(data, size, kCatalogueName);
    const QByteArray original = fuzz::readFile(path);
    const int count = static_cast<int>(original.size() / kRecordSize);

    std::vector<CatalogueEntry> entries;
    FUZZ_CHECK(readCatalogue(dir, &entries));
    FUZZ_CHECK(static_cast<int>(entries.size()) == count);
    for (int i = 0; i < count; ++i) {
        const CatalogueEntry &entry = entries[static_cast<std::size_t>(i)];
        FUZZ_CHECK(entry.number == i);
        TrainingRecord one;
        FUZZ_CHECK(readTrainingRecord(dir, i, &one) && one == entry.record);
        // Whatever name a record holds can be written back unchanged.
        FUZZ_CHECK(entry.record.name.size() <= kMaxNameLength);
        RecordBytes again;
        FUZZ_CHECK(packTrainingRecord(entry.record, &again));
        FUZZ_CHECK(unpackTrainingRecord(again) == entry.record);
        const RecordBytes raw = recordAt(original, i);
        const int length = std::min<int>(raw[0], kMaxNameLength);
        FUZZ_CHECK(again[0] == length && std::memcmp(again.data() + 1, raw.data() + 1, static_cast<size_t>(length)) == 0);
        FUZZ_CHECK(std::memcmp(again.data() + kNameFieldSize, raw.data() + kNameFieldSize, 8) == 0);
    }
    TrainingRecord beyond;
    FUZZ_CHECK(!readTrainingRecord(dir, count, &beyond) && !readTrainingRecord(dir, -1, &beyond));

    // A new training lands on the first record boundary at or below the end,
    // and nothing before it changes.
    const TrainingRecord fresh{count > 0 ? entries.back().record.name : QStringLiteral("Szkolenie wstępne"),
                               count % kTrainingTypeCount, 0};
    const std::optional<int> number = appendTrainingRecord(dir, fresh);
    FUZZ_CHECK(number && *number == count);
    const QByteArray appended = fuzz::readFile(path);
    FUZZ_CHECK(appended == original.left(qsizetype(count) * kRecordSize) + packed(fresh));

    // A rewrite and a deletion change their own record and nothing else.
    const TrainingRecord renamed{QStringLiteral("Zmieniona nazwa ąęłńóśźż"), 5, 0};
    FUZZ_CHECK(rewriteTrainingRecord(dir, 0, renamed));
    FUZZ_CHECK(markTrainingDeleted(dir, count));
    QByteArray expected = appended;
    expected.replace(0, kRecordSize, packed(renamed));
    // Deleting touches the flag only: the last four bytes of the record.
    expected.replace(qsizetype(count) * kRecordSize + 133, 4, QByteArray(4, '\xff'));
    FUZZ_CHECK(fuzz::readFile(path) == expected);
    FUZZ_CHECK(!rewriteTrainingRecord(dir, count + 1, renamed) && fuzz::readFile(path) == expected);
    return 0;
}
