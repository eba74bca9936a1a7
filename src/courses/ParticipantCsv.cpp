#include "courses/ParticipantCsv.h"

#include "courses/Employers.h"
#include "courses/Participants.h"
#include "store/Cp1250.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <array>

namespace marbelo {

namespace {

constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// The columns every file has come first; from Position on they are optional.
enum Column { FirstName, Surname, BirthDate, BirthPlace, Position, EmployerName, Nip, Interval, ColumnCount };

const std::array<QString, ColumnCount> kHeaders = {
    QStringLiteral("Imię"),       QStringLiteral("Nazwisko"),   QStringLiteral("Data urodzenia"),
    QStringLiteral("Miejsce urodzenia"), QStringLiteral("Stanowisko"), QStringLiteral("Pracodawca"),
    QStringLiteral("NIP"),        QStringLiteral("Co ile lat")};

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? decodeCp1250(bytes) : text;
}

struct Record
{
    int line = 0;
    QStringList fields;
};

// Splits the text into records and fields; a quoted field runs to its
// closing quote, across separators and line breaks.
class Splitter
{
public:
    Splitter(const QString &text, QChar separator) : m_text(text), m_separator(separator) {}

    bool next(Record *record)
    {
        if (m_at >= m_text.size())
            return false;
        record->line = m_line;
        record->fields.clear();
        QString field;
        bool quoted = false;
        while (m_at < m_text.size()) {
            const QChar c = m_text[m_at++];
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (m_at < m_text.size() && m_text[m_at] == QLatin1Char('"')) {
                        field += c;
                        ++m_at;
                    } else {
                        quoted = false;
                    }
                    continue;
                }
                // A line break or tab inside a cell becomes a space: names
                // are one line.
                if (c == QLatin1Char('\n'))
                    ++m_line;
                field += (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t')) ? QChar(u' ') : c;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == m_separator) {
                record->fields << field.trimmed();
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                ++m_line;
                break;
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        record->fields << field.trimmed();
        return true;
    }

private:
    const QString &m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
};

bool isBlank(const Record &record)
{
    for (const QString &field : record.fields)
        if (!field.isEmpty())
            return false;
    return true;
}

// The separator the header row uses: the one that splits it into more of
// the known column names.
QChar separatorOf(const QString &text)
{
    const QString header = text.left(text.indexOf(QLatin1Char('\n')));
    const auto known = [&](QChar separator) {
        int count = 0;
        for (const QString &name : header.split(separator))
            for (const QString &wanted : kHeaders)
                count += name.trimmed().remove(QLatin1Char('"')).compare(wanted, Qt::CaseInsensitive) == 0 ? 1 : 0;
        return count;
    };
    return known(QLatin1Char(',')) > known(QLatin1Char(';')) ? QLatin1Char(',') : QLatin1Char(';');
}

QString rowProblem(const Record &record, const std::array<int, ColumnCount> &at, int columns, Participant *p)
{
    if (record.fields.size() != columns)
        return QStringLiteral("wiersz ma %1 pól zamiast %2").arg(record.fields.size()).arg(columns);
    const auto field = [&](Column c) { return at[c] >= 0 ? record.fields[at[c]] : QString(); };
    p->firstName = field(FirstName);
    p->surname = field(Surname);
    p->birthPlace = field(BirthPlace);
    p->position = field(Position);
    p->birthDate = parseCsvDate(field(BirthDate));
    p->employerName = field(EmployerName).simplified();
    p->employerNip = field(Nip);
    if (p->firstName.isEmpty())
        return QStringLiteral("brak imienia");
    if (p->surname.isEmpty())
        return QStringLiteral("brak nazwiska");
    if (!p->birthDate.isValid()) {
        // A date in the right form that no calendar has (31.02) is told as such.
        bool formed = false;
        parseCsvDate(field(BirthDate), &formed);
        return (formed ? QStringLiteral("data urodzenia „%1” nie istnieje")
                       : QStringLiteral("niepoprawna data urodzenia „%1” (oczekiwano DD.MM.RRRR lub RRRR-MM-DD)"))
            .arg(field(BirthDate));
    }
    if (p->birthPlace.isEmpty())
        return QStringLiteral("brak miejsca urodzenia");
    if (const QString problem = participantProblem(*p); !problem.isEmpty())
        return problem;
    if (const QString problem = nipProblem(p->employerNip); !problem.isEmpty())
        return problem;
    if (const QString years = field(Interval); !years.isEmpty()) {
        bool number = false;
        p->intervalYears = years.toInt(&number);
        if (!number || p->intervalYears < 1 || p->intervalYears > 99)
            return QStringLiteral("„Co ile lat” musi być liczbą lat, a jest „%1”").arg(years);
    }
    return QString();
}

} // namespace

QString rowProblemLines(const std::vector<CsvRowProblem> &problems)
{
    QStringList lines;
    for (const CsvRowProblem &p : problems)
        lines << QStringLiteral("wiersz %1: %2").arg(p.line).arg(p.reason);
    return lines.join(QLatin1Char('\n'));
}

QDate parseCsvDate(const QString &text, bool *formed)
{
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const auto dottedMatch = dotted.match(text);
    const auto isoMatch = iso.match(text);
    if (formed)
        *formed = dottedMatch.hasMatch() || isoMatch.hasMatch();
    if (dottedMatch.hasMatch())
        return QDate(dottedMatch.captured(3).toInt(), dottedMatch.captured(2).toInt(), dottedMatch.captured(1).toInt());
    if (isoMatch.hasMatch())
        return QDate(isoMatch.captured(1).toInt(), isoMatch.captured(2).toInt(), isoMatch.captured(3).toInt());
    return QDate();
}

ParticipantCsv readParticipantCsv(const QByteArray &bytes)
{
    ParticipantCsv result;
    const QString text = decode(bytes);
    Splitter splitter(text, separatorOf(text));
    Record header;
    while (splitter.next(&header) && isBlank(header)) {
    }
    if (header.fields.isEmpty() || isBlank(header)) {
        result.error = QStringLiteral("Plik jest pusty.");
        return result;
    }
    std::array<int, ColumnCount> at;
    at.fill(-1);
    for (int i = 0; i < header.fields.size(); ++i) {
        for (int c = 0; c < ColumnCount; ++c) {
            if (header.fields[i].compare(kHeaders[c], Qt::CaseInsensitive) != 0)
                continue;
            if (at[c] >= 0) {
                result.error = QStringLiteral("Kolumna „%1” występuje dwa razy.").arg(kHeaders[c]);
                return result;
            }
            at[c] = i;
        }
    }
    QStringList missing;
    for (int c = 0; c < Position; ++c)
        if (at[c] < 0)
            missing << QStringLiteral("„%1”").arg(kHeaders[c]);
    if (!missing.isEmpty()) {
        result.error = QStringLiteral("W wierszu nagłówka brak kolumn: %1.").arg(missing.join(QStringLiteral(", ")));
        return result;
    }
    const int columns = static_cast<int>(header.fields.size());
    Record record;
    while (splitter.next(&record)) {
        if (isBlank(record))
            continue;
        Participant p;
        if (const QString problem = rowProblem(record, at, columns, &p); !problem.isEmpty()) {
            result.problems.push_back({record.line, problem});
            continue;
        }
        result.participants.push_back(p);
        result.lines.push_back(record.line);
    }
    if (result.participants.empty() && result.problems.empty())
        result.error = QStringLiteral("Plik nie zawiera żadnego uczestnika.");
    return result;
}

ParticipantCsv readParticipantCsvFile(const QString &path)
{
    QFile file(path);
    ParticipantCsv result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Nie można otworzyć pliku %1.").arg(path);
        return result;
    }
    if (file.size() > kMaxFileSize) {
        result.error = QStringLiteral("Plik %1 jest za duży (więcej niż 16 MB).").arg(path);
        return result;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) {
        result.error = QStringLiteral("Plik %1 jest za duży (więcej niż 16 MB).").arg(path);
        return result;
    }
    return readParticipantCsv(bytes);
}

} // namespace marbelo
