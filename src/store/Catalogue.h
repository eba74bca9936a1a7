// The training catalogue Projects.pdl: a run of 137-byte training records,
// record i describing training number i. Records are only appended or
// rewritten in place, so numbers are never reused.
#pragma once

#include "store/Records.h"

#include <QString>

#include <optional>
#include <vector>

namespace marbelo {

struct CatalogueEntry
{
    int number = 0;
    TrainingRecord record;
};

// Every whole record, deleted ones included; a partial record at the end is
// ignored. False (and nothing) when the catalogue cannot be opened.
bool readCatalogue(const QString &dataDir, std::vector<CatalogueEntry> *entries);

// The record of one training; false when it cannot be read whole.
bool readTrainingRecord(const QString &dataDir, int number, TrainingRecord *record);

// Appends a record (the catalogue is created when missing) and returns the new
// training number. On failure nothing is left behind: a write that stops part
// way is cut back, and error says why.
std::optional<int> appendTrainingRecord(const QString &dataDir, const TrainingRecord &record,
                                        QString *error = nullptr);

// Takes back the record of a training just appended, when the rest of a
// command failed: the catalogue is cut back to where that record began. Only
// the last record can be taken back; false otherwise or when cutting fails.
bool takeBackTrainingRecord(const QString &dataDir, int number);

// Writes the record over training number's record. On failure the old bytes are
// put back where possible.
bool rewriteTrainingRecord(const QString &dataDir, int number, const TrainingRecord &record,
                           QString *error = nullptr);

// The 137 bytes of one training's record as they are on disk; false when
// they cannot be read whole.
bool readTrainingRecordBytes(const QString &dataDir, int number, RecordBytes *bytes);

// Puts a record back exactly as it was read: over training number's record,
// or appended when number is the catalogue's next number. On failure the old
// bytes stay (or the catalogue keeps its length).
bool restoreTrainingRecord(const QString &dataDir, int number, const RecordBytes &bytes, QString *error = nullptr);

// Reads the record, sets its deleted flag to -1 and writes it back.
bool markTrainingDeleted(const QString &dataDir, int number, QString *error = nullptr);

// Creates the training's empty outline and image store. Both are attempted;
// returns false when either could not be created.
bool createTrainingFiles(const QString &dataDir, int number);

} // namespace marbelo
