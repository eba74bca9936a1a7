// The participants' CSV as it arrives from an HR department: any bytes give
// either a refusal of the whole file with nothing read, or good rows that
// each pass the participant checks and bad rows with their reasons, all on
// lines that exist, in file order; the good rows written again as plain
// ";" CSV (every field quoted) read back the same.

#include "FuzzSupport.h"

#include "courses/ParticipantCsv.h"
#include "courses/Participants.h"

using namespace marbelo;

namespace {

QString quoted(const QString &field)
{
    return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ParticipantCsv csv = readParticipantCsv(bytes);
    if (!csv.error.isEmpty()) {
        FUZZ_CHECK(csv.participants.empty());
        return 0;
    }
    FUZZ_CHECK(csv.participants.size() == csv.lines.size());
    const int lineCount = static_cast<int>(bytes.count('\n')) + 1;
    int last = 1;
    for (size_t i = 0; i < csv.participants.size(); ++i) {
        FUZZ_CHECK(participantProblem(csv.participants[i]).isEmpty());
        FUZZ_CHECK(csv.lines[i] > last && csv.lines[i] <= lineCount);
        last = csv.lines[i];
    }
    for (const CsvRowProblem &p : csv.problems)
        FUZZ_CHECK(p.line > 1 && p.line <= lineCount && !p.reason.isEmpty());

    QString again = QStringLiteral("Imię;Nazwisko;Data urodzenia;Miejsce urodzenia;Stanowisko\n");
    for (const Participant &p : csv.participants)
        again += QStringList{quoted(p.firstName), quoted(p.surname), p.birthDate.toString(Qt::ISODate),
                             quoted(p.birthPlace), quoted(p.position)}
                     .join(QLatin1Char(';'))
                 + QLatin1Char('\n');
    const ParticipantCsv reread = readParticipantCsv(again.toUtf8());
    FUZZ_CHECK(reread.problems.empty());
    FUZZ_CHECK(reread.participants.size() == csv.participants.size());
    for (size_t i = 0; i < csv.participants.size(); ++i) {
        const Participant &a = csv.participants[i];
        const Participant &b = reread.participants[i];
        FUZZ_CHECK(a.firstName == b.firstName && a.surname == b.surname && a.birthDate == b.birthDate
                   && a.birthPlace == b.birthPlace && a.position == b.position);
    }
    return 0;
}
