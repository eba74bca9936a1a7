#include "store/ProgrammeFile.h"

#include "store/SaveFile.h"
#include "store/WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace marbelo {

namespace {

constexpr char kMagic[4] = {'M', 'P', 'L', 'N'};
constexpr int kVersion = 1;
constexpr int kHeaderSize = 12;
constexpr int kEntryMinSize = 10;
// Far beyond any programme; a larger file is not read into memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

void putU16(QByteArray &out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void putU32(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

// Reads little-endian numbers from a byte run without going past its end.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    qsizetype left() const { return m_bytes.size() - m_at; }
    bool u16(int *value)
    {
        if (left() < 2)
            return false;
        *value = byte(0) | byte(1) << 8;
        m_at += 2;
        return true;
    }
    bool u32(quint32 *value)
    {
        if (left() < 4)
            return false;
        *value = quint32(byte(0)) | quint32(byte(1)) << 8 | quint32(byte(2)) << 16 | quint32(byte(3)) << 24;
        m_at += 4;
        return true;
    }
    bool text(int length, QString *value)
    {
        if (left() < length)
            return false;
        *value = QString::fromUtf8(m_bytes.constData() + m_at, length);
        m_at += length;
        return true;
    }

private:
    int byte(int i) const { return static_cast<unsigned char>(m_bytes[m_at + i]); }
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

bool readEntry(Reader &reader, ProgrammeEntry *entry)
{
    quint32 position = 0;
    int names = 0;
    if (!reader.u32(&position) || !reader.u16(&entry->hours.theory) || !reader.u16(&entry->hours.exercises)
        || !reader.u16(&names) || position > 0x7FFFFFFF)
        return false;
    entry->position = static_cast<int>(position);
    entry->path.clear();
    for (int i = 0; i < names; ++i) {
        int length = 0;
        QString name;
        if (!reader.u16(&length) || !reader.text(length, &name))
            return false;
        entry->path << name;
    }
    return true;
}

} // namespace

QString programmePathFor(const QString &outlinePath)
{
    const QFileInfo info(outlinePath);
    const QString name = info.fileName();
    if (name.startsWith(QLatin1String("Tree")) && name.size() > 4)
        return outlinePath.left(outlinePath.size() - name.size()) + QStringLiteral("Plan") + name.mid(4);
    return outlinePath + QStringLiteral(".plan");
}

bool parseProgramme(const QByteArray &bytes, ProgrammeData *data)
{
    *data = ProgrammeData();
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray(kMagic, 4)))
        return false;
    Reader reader(bytes);
    quint32 magic = 0;
    int version = 0;
    int form = 0;
    quint32 count = 0;
    reader.u32(&magic);
    reader.u16(&version);
    reader.u16(&form);
    reader.u32(&count);
    if (version != kVersion)
        return false;
    if (form < kTrainingFormCount)
        data->form = static_cast<TrainingForm>(form);
    // No more entries are expected than the bytes can hold.
    data->entries.reserve(std::min<std::size_t>(count, static_cast<std::size_t>(reader.left() / kEntryMinSize)));
    for (quint32 i = 0; i < count; ++i) {
        ProgrammeEntry entry;
        if (!readEntry(reader, &entry))
            break;
        data->entries.push_back(std::move(entry));
    }
    return true;
}

QByteArray programmeBytes(const ProgrammeData &data)
{
    QByteArray out(kMagic, 4);
    putU16(out, kVersion);
    putU16(out, static_cast<int>(data.form));
    putU32(out, static_cast<quint32>(data.entries.size()));
    for (const ProgrammeEntry &entry : data.entries) {
        putU32(out, static_cast<quint32>(entry.position));
        putU16(out, std::clamp(entry.hours.theory, 0, kMaxQuarters));
        putU16(out, std::clamp(entry.hours.exercises, 0, kMaxQuarters));
        putU16(out, static_cast<int>(std::min<qsizetype>(entry.path.size(), 0xFFFF)));
        for (qsizetype i = 0; i < std::min<qsizetype>(entry.path.size(), 0xFFFF); ++i) {
            // Outline names hold at most 128 characters: never near the limit.
            const QByteArray name = entry.path[i].toUtf8().left(0xFFFF);
            putU16(out, static_cast<int>(name.size()));
            out.append(name);
        }
    }
    return out;
}

bool readProgrammeFile(const QString &path, ProgrammeData *data)
{
    *data = ProgrammeData();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return false;
    return parseProgramme(file.readAll(), data);
}

bool saveProgrammeFile(const QString &path, const ProgrammeData &data, QString *error)
{
    removeStaleSaveFiles(path);
    return writeWholeFile(path, programmeBytes(data), error);
}

} // namespace marbelo
