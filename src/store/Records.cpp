#include "store/Records.h"

#include "store/Cp1250.h"

#include <cstring>

namespace marbelo {

QString trainingTypeName(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("Szkolenie pracodawców wykonujących zadania służby bezpieczeństwa i higieny pracy");
    case 1:
        return QStringLiteral("Szkolenie okresowe pracodawców i innych osób kierujących pracownikami");
    case 2:
        return QStringLiteral("Szkolenie okresowe pracowników zatrudnionych na stanowiskach robotniczych");
    case 3:
        return QStringLiteral("Szkolenie okresowe pracowników inżynieryjno-technicznych");
    case 4:
        return QStringLiteral("Szkolenie okresowe pracowników służby bezpieczeństwa i higieny pracy i osób "
                              "wykonujących zadania tej służby");
    case 5:
        return QStringLiteral("Szkolenie okresowe pracowników administracyjno-biurowych i innych");
    default:
        return QString();
    }
}

QString trainingTypeShortName(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("pracodawcy – zadania służby BHP");
    case 1:
        return QStringLiteral("okresowe – pracodawcy i kierujący");
    case 2:
        return QStringLiteral("okresowe – stanowiska robotnicze");
    case 3:
        return QStringLiteral("okresowe – inżynieryjno-techniczni");
    case 4:
        return QStringLiteral("okresowe – służba BHP");
    case 5:
        return QStringLiteral("okresowe – administracyjno-biurowi i inni");
    default:
        return QString();
    }
}

void putInt32(unsigned char *at, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    at[0] = static_cast<unsigned char>(v);
    at[1] = static_cast<unsigned char>(v >> 8);
    at[2] = static_cast<unsigned char>(v >> 16);
    at[3] = static_cast<unsigned char>(v >> 24);
}

std::int32_t getInt32(const unsigned char *at)
{
    return static_cast<std::int32_t>(std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8
                                     | std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24);
}

QByteArray int32Bytes(std::int32_t value)
{
    unsigned char b[4];
    putInt32(b, value);
    return QByteArray(reinterpret_cast<const char *>(b), 4);
}

bool encodeName(const QString &name, QByteArray *bytes)
{
    return encodeCp1250(name.left(kMaxNameLength), bytes);
}

namespace {

bool packName(const QString &name, unsigned char *field)
{
    QByteArray bytes;
    if (!encodeName(name, &bytes))
        return false;
    field[0] = static_cast<unsigned char>(bytes.size());
    std::memcpy(field + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
    return true;
}

QString unpackName(const unsigned char *field)
{
    const int length = field[0] > kMaxNameLength ? kMaxNameLength : field[0];
    return decodeCp1250(QByteArray(reinterpret_cast<const char *>(field + 1), length));
}

} // namespace

bool packTrainingRecord(const TrainingRecord &record, RecordBytes *out)
{
    out->fill(0);
    if (!packName(record.name, out->data()))
        return false;
    putInt32(out->data() + 129, record.type);
    putInt32(out->data() + 133, record.deleted);
    return true;
}

bool packOutlineRecord(const OutlineRecord &record, RecordBytes *out)
{
    out->fill(0);
    if (!packName(record.name, out->data()))
        return false;
    putInt32(out->data() + 129, record.level);
    putInt32(out->data() + 133, static_cast<std::int32_t>(record.reference));
    return true;
}

TrainingRecord unpackTrainingRecord(const RecordBytes &bytes)
{
    TrainingRecord r;
    r.name = unpackName(bytes.data());
    r.type = getInt32(bytes.data() + 129);
    r.deleted = getInt32(bytes.data() + 133);
    return r;
}

OutlineRecord unpackOutlineRecord(const RecordBytes &bytes)
{
    OutlineRecord r;
    r.name = unpackName(bytes.data());
    r.level = getInt32(bytes.data() + 129);
    r.reference = static_cast<ItemReference>(getInt32(bytes.data() + 133));
    return r;
}

} // namespace marbelo
