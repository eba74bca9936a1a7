#include "store/components/Stream.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace marbelo {

Stream::Stream(std::unique_ptr<QFile> file) : m_file(std::move(file)) {}

Stream::~Stream() = default;

std::int32_t Stream::read(void *buffer, std::int32_t count)
{
    if (count <= 0)
        return 0;
    const qint64 n = m_file->read(static_cast<char *>(buffer), count);
    return n < 0 ? 0 : static_cast<std::int32_t>(n);
}

std::int32_t Stream::write(const void *buffer, std::int32_t count)
{
    if (count <= 0)
        return 0;
    // A write may not grow the file past what 32-bit positions can address.
    if (m_file->pos() + count > std::numeric_limits<std::int32_t>::max())
        return 0;
    const qint64 n = m_file->write(static_cast<const char *>(buffer), count);
    return n < 0 ? 0 : static_cast<std::int32_t>(n);
}

std::int32_t Stream::seek(std::int32_t offset, int origin)
{
    qint64 base = 0;
    if (origin == kFromCurrent)
        base = m_file->pos();
    else if (origin == kFromEnd)
        base = m_file->size();
    const qint64 target = base + offset;
    if (target < 0 || target > std::numeric_limits<std::int32_t>::max())
        return -1;
    if (!m_file->seek(target))
        return -1;
    return static_cast<std::int32_t>(target);
}

std::int32_t Stream::position() const
{
    return static_cast<std::int32_t>(m_file->pos());
}

std::int32_t Stream::size() const
{
    const qint64 s = m_file->size();
    return s > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                        : static_cast<std::int32_t>(s);
}

bool Stream::readExactly(QByteArray *out, std::int32_t count)
{
    // Emptied, not released: a caller reading block after block into the
    // same array allocates once.
    out->resize(0);
    if (count < 0 || count > size() - position())
        return false;
    out->resize(count);
    if (read(out->data(), count) == count)
        return true;
    out->resize(0);
    return false;
}

bool Stream::readInt32(std::int32_t *value)
{
    unsigned char b[4];
    if (read(b, 4) != 4)
        return false;
    *value = static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8
                                       | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24);
    return true;
}

bool Stream::writeAll(const QByteArray &bytes)
{
    if (bytes.size() > std::numeric_limits<std::int32_t>::max())
        return false;
    const auto count = static_cast<std::int32_t>(bytes.size());
    return write(bytes.constData(), count) == count;
}

bool Stream::truncate(std::int32_t size)
{
    return m_file->resize(size);
}

bool Stream::flush()
{
    return m_file->flush();
}

std::unique_ptr<Stream> openStream(const QString &path, OpenMode mode)
{
    QIODevice::OpenMode qtMode = QIODevice::Unbuffered;
    switch (mode) {
    case OpenMode::Read:
        qtMode |= QIODevice::ReadOnly | QIODevice::ExistingOnly;
        break;
    case OpenMode::Write:
        qtMode |= QIODevice::ReadWrite;
        break;
    case OpenMode::ReadWrite:
        qtMode |= QIODevice::ReadWrite | QIODevice::ExistingOnly;
        break;
    case OpenMode::Create:
        qtMode |= QIODevice::ReadWrite | QIODevice::Truncate;
        break;
    default:
        return nullptr;
    }
    // Directories match "*.mdl" too; they never open as streams.
    if (QFileInfo(path).isDir())
        return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(qtMode))
        return nullptr;
    return std::make_unique<Stream>(std::move(file));
}

} // namespace marbelo
