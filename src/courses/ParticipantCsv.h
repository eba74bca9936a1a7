// Participants from the CSV file an employer's HR exports from a spreadsheet:
// ";" or "," separated, UTF-8 with or without BOM or Windows-1250, a header
// row of Polish column names in any order and case, dates as DD.MM.RRRR or
// RRRR-MM-DD. Quoted fields may hold separators, quotes ("") and line breaks.
// Optional columns: "Stanowisko", "Pracodawca" and "NIP" (the participant's
// employer, found or created when the rows are added; a NIP with a wrong
// check digit refuses its row) and "Co ile lat" (the interval of the next
// periodic training where the post allows another than the type's).
#pragma once

#include "courses/CourseTypes.h"

#include <QByteArray>

#include <vector>

namespace marbelo {

struct CsvRowProblem
{
    int line = 0; // the line the row begins on, counting from 1 (the header)
    QString reason;
};

struct ParticipantCsv
{
    QString error; // the file as a whole is refused (empty, unreadable, a column missing)
    std::vector<Participant> participants; // the good rows
    std::vector<int> lines;                 // the line each good row begins on
    std::vector<CsvRowProblem> problems;    // the bad rows, in file order
};

// Reads the bytes of a file; never throws, never fails part way.
ParticipantCsv readParticipantCsv(const QByteArray &bytes);
// Reads a file of at most 16 MB.
ParticipantCsv readParticipantCsvFile(const QString &path);

// The rows as the user reads them, a line each: "wiersz 3: brak imienia".
QString rowProblemLines(const std::vector<CsvRowProblem> &problems);

// A date as DD.MM.RRRR (day and month may have one digit) or RRRR-MM-DD;
// invalid when it is neither or no such day exists. formed, when given, says
// whether the text has one of the two forms (so 31.02.1980 has, and is invalid).
QDate parseCsvDate(const QString &text, bool *formed = nullptr);

} // namespace marbelo
