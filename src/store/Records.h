// The two 137-byte records: training records of Projects.pdl and outline
// records of Tree####.pdl.
#pragma once

#include "store/ItemReference.h"
#include "store/PlannedHours.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace marbelo {

constexpr int kRecordSize = 137;
constexpr int kNameFieldSize = 129; // one length byte and 128 characters
constexpr int kMaxNameLength = 128;

using RecordBytes = std::array<unsigned char, kRecordSize>;

constexpr int kTrainingTypeCount = 6;
// Name shown for each training type value 0..5.
QString trainingTypeName(int type);
// The same in a few words, for a table's column.
QString trainingTypeShortName(int type);

struct TrainingRecord
{
    QString name;            // at most 128 characters are stored
    std::int32_t type = 0;   // 0..5
    std::int32_t deleted = 0; // 0 = live; the delete command writes -1

    bool isLive() const { return deleted == 0; }
    friend bool operator==(const TrainingRecord &, const TrainingRecord &) = default;
};

struct OutlineRecord
{
    QString name;
    std::int32_t level = 0;
    ItemReference reference = 0;
    // The heading's planned hours: not part of the record's bytes, kept in
    // the programme file beside the outline.
    std::optional<PlannedHours> hours{};
    friend bool operator==(const OutlineRecord &, const OutlineRecord &) = default;
};

// The name cut to what a record holds. Returns false when a character has no
// Windows-1250 byte (such names are refused, never altered).
bool encodeName(const QString &name, QByteArray *bytes);

// Builds the 137 bytes. Unused name bytes are 0 in both kinds of record.
bool packTrainingRecord(const TrainingRecord &record, RecordBytes *out);
bool packOutlineRecord(const OutlineRecord &record, RecordBytes *out);

// Reads 137 bytes. A length byte above 128 counts as 128.
TrainingRecord unpackTrainingRecord(const RecordBytes &bytes);
OutlineRecord unpackOutlineRecord(const RecordBytes &bytes);

// Little-endian 32-bit integers.
void putInt32(unsigned char *at, std::int32_t value);
std::int32_t getInt32(const unsigned char *at);
QByteArray int32Bytes(std::int32_t value);

} // namespace marbelo
