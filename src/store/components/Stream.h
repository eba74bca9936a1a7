// File streams opened by mode, as every data file is accessed.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

class QFile;

namespace marbelo {

enum class OpenMode {
    Read,      // existing file, read only
    Write,     // read and write without truncating; a missing file is created empty
    ReadWrite, // existing file, read and write
    Create,    // create, or truncate to 0 bytes, for writing
};

enum SeekOrigin : int { kFromStart = 0, kFromCurrent = 1, kFromEnd = 2 };

// An open file. Positions and sizes are 32-bit signed byte counts; the file is
// closed when the stream is destroyed. Writes are unbuffered, so a failing
// write (disk full, file-size limit) shows in its result at once.
class Stream
{
public:
    explicit Stream(std::unique_ptr<QFile> file);
    ~Stream();
    Stream(const Stream &) = delete;
    Stream &operator=(const Stream &) = delete;

    // Bytes moved; may be fewer than asked at the end of the file or on error.
    std::int32_t read(void *buffer, std::int32_t count);
    std::int32_t write(const void *buffer, std::int32_t count);
    // New position, or -1 when the target is before the start or past 2 GiB.
    std::int32_t seek(std::int32_t offset, int origin);
    std::int32_t position() const;
    std::int32_t size() const;

    // Convenience built on read: exactly count bytes, or false (position then undefined).
    bool readExactly(QByteArray *out, std::int32_t count);
    bool readInt32(std::int32_t *value);
    bool writeAll(const QByteArray &bytes);
    // Cuts the file back to the given size (undoing a partial append).
    bool truncate(std::int32_t size);
    // Pushes written data to the disk before the stream is closed.
    bool flush();

private:
    std::unique_ptr<QFile> m_file;
};

// Opens a file in one of the four modes; null when it cannot be opened (a
// directory never opens).
std::unique_ptr<Stream> openStream(const QString &path, OpenMode mode);

} // namespace marbelo
