// A zip archive written entry by entry onto an open device: each entry stored
// or deflated (zlib's raw deflate) with its CRC-32, then the central directory.
// Only what a learning platform's package needs: no zip64, so no more than
// 65,535 entries and 4 GiB; names in UTF-8.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QString>

#include <vector>

namespace marbelo {

class ZipWriter
{
public:
    // modified: the time every entry carries (the zip's local-time format).
    explicit ZipWriter(QIODevice &device, const QDateTime &modified = QDateTime::currentDateTime());

    enum class Method { Store, Deflate };
    // Writes one entry whole; false when the device refused or the archive
    // would grow past what a zip without zip64 holds.
    bool add(const QString &name, const QByteArray &data, Method method);
    // Writes the central directory; false as add().
    bool finish();

    qint64 written() const { return m_offset; }

private:
    struct Entry
    {
        QByteArray name;
        quint32 crc = 0;
        quint32 compressed = 0;
        quint32 size = 0;
        quint16 method = 0;
        quint32 offset = 0;
    };
    bool write(const QByteArray &bytes);
    void putEntryFields(QByteArray &out, const Entry &entry) const;

    QIODevice &m_device;
    quint16 m_time = 0;
    quint16 m_date = 0;
    qint64 m_offset = 0;
    std::vector<Entry> m_entries;
};

} // namespace marbelo
