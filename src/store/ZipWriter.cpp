#include "store/ZipWriter.h"

#include <QtEndian>

#include <zlib.h>

#include <limits>

namespace marbelo {

namespace {

constexpr qint64 kZipLimit = std::numeric_limits<quint32>::max();
constexpr quint16 kUtf8Names = 1u << 11;
constexpr quint16 kVersion = 20; // 2.0: deflate

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// zlib's raw deflate (no zlib header or trailer), as a zip entry holds it;
// empty with ok false when zlib fails.
QByteArray rawDeflate(const QByteArray &data, bool *ok)
{
    *ok = false;
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    const qsizetype produced = qsizetype(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        return {};
    out.truncate(produced);
    *ok = true;
    return out;
}

} // namespace

ZipWriter::ZipWriter(QIODevice &device, const QDateTime &modified) : m_device(device)
{
    // The zip's MS-DOS time: from 1980 on, seconds in steps of two.
    const QDate date = modified.date().year() < 1980 ? QDate(1980, 1, 1) : modified.date();
    const QTime time = modified.date().year() < 1980 ? QTime(0, 0) : modified.time();
    m_date = quint16(((date.year() - 1980) << 9) | (date.month() << 5) | date.day());
    m_time = quint16((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

bool ZipWriter::write(const QByteArray &bytes)
{
    if (m_device.write(bytes) != bytes.size())
        return false;
    m_offset += bytes.size();
    return true;
}

bool ZipWriter::add(const QString &name, const QByteArray &data, Method method)
{
    Entry entry;
    entry.name = name.toUtf8();
    if (entry.name.isEmpty() || entry.name.size() > 0xFFFF || m_entries.size() >= 0xFFFF
        || data.size() >= kZipLimit)
        return false;
    QByteArray body = data;
    entry.method = 0;
    if (method == Method::Deflate) {
        bool ok = false;
        const QByteArray deflated = rawDeflate(data, &ok);
        if (!ok)
            return false;
        // Data that does not shrink is stored as it is.
        if (deflated.size() < data.size()) {
            body = deflated;
            entry.method = 8;
        }
    }
    entry.crc = quint32(crc32(0L, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
    entry.size = quint32(data.size());
    entry.compressed = quint32(body.size());
    if (m_offset + 30 + entry.name.size() + body.size() >= kZipLimit)
        return false;
    entry.offset = quint32(m_offset);

    QByteArray header;
    put32(header, 0x04034b50);
    putEntryFields(header, entry);
    put16(header, 0);
    header += entry.name;
    if (!write(header) || !write(body))
        return false;
    m_entries.push_back(std::move(entry));
    return true;
}

// What the local header and the central directory both say of an entry, in
// the same order: version needed, flags, method, time, date, CRC, sizes and
// the name's length.
void ZipWriter::putEntryFields(QByteArray &out, const Entry &entry) const
{
    put16(out, kVersion);
    put16(out, kUtf8Names);
    put16(out, entry.method);
    put16(out, m_time);
    put16(out, m_date);
    put32(out, entry.crc);
    put32(out, entry.compressed);
    put32(out, entry.size);
    put16(out, quint16(entry.name.size()));
}

bool ZipWriter::finish()
{
    const qint64 start = m_offset;
    QByteArray directory;
    for (const Entry &entry : m_entries) {
        put32(directory, 0x02014b50);
        put16(directory, kVersion);
        putEntryFields(directory, entry);
        put16(directory, 0); // extra field
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, entry.offset);
        directory += entry.name;
    }
    const qint64 size = directory.size();
    if (start + size + 22 >= kZipLimit)
        return false;
    put32(directory, 0x06054b50);
    put16(directory, 0);
    put16(directory, 0);
    put16(directory, quint16(m_entries.size()));
    put16(directory, quint16(m_entries.size()));
    put32(directory, quint32(size));
    put32(directory, quint32(start));
    put16(directory, 0);
    return write(directory);
}

} // namespace marbelo
