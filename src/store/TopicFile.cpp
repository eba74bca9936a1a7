#include "store/TopicFile.h"

#include "store/Cp1250.h"
#include "store/Records.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"

#include <algorithm>
#include <cstring>

namespace marbelo {

namespace {

bool readCodedField(Stream &stream, QByteArray *plain)
{
    std::int32_t length = 0;
    QByteArray coded;
    if (!stream.readInt32(&length) || !stream.readExactly(&coded, length))
        return false;
    *plain = BCodeToStr(coded);
    return true;
}

// Reads a stream through a window of bytes. The stream reads the file
// unbuffered, a system call per read, and a topic file holds many small
// fields between the slides, which are skipped without being read.
class FieldReader
{
public:
    explicit FieldReader(Stream &stream) : m_stream(stream), m_size(stream.size()), m_start(stream.position()) {}

    std::int64_t position() const { return m_start + m_at; }
    std::int64_t size() const { return m_size; }
    std::int64_t remaining() const { return m_size - position(); }

    bool readInt32(std::int32_t *value)
    {
        unsigned char b[4];
        if (!read(reinterpret_cast<char *>(b), 4))
            return false;
        *value = static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8
                                           | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24);
        return true;
    }

    // A length-prefixed field; the length is checked against the file first.
    bool readField(QByteArray *out)
    {
        std::int32_t length = 0;
        if (!readInt32(&length) || length < 0 || length > remaining())
            return false;
        out->resize(length);
        return read(out->data(), length);
    }

    bool skip(std::int64_t count)
    {
        if (count < 0 || count > remaining())
            return false;
        if (count <= m_buffer.size() - m_at) {
            m_at += count;
        } else {
            m_start = position() + count;
            m_buffer.clear();
            m_at = 0;
        }
        return true;
    }

private:
    bool read(char *out, std::int64_t count)
    {
        if (count > remaining())
            return false;
        if (count > m_buffer.size() - m_at && !refill(count))
            return false;
        std::memcpy(out, m_buffer.constData() + m_at, static_cast<std::size_t>(count));
        m_at += count;
        return true;
    }

    // Loads at least count bytes from the current position (count is within the file).
    bool refill(std::int64_t count)
    {
        constexpr std::int64_t kWindow = 64 * 1024;
        const std::int64_t from = position();
        const std::int64_t want = std::min(std::max(count, kWindow), m_size - from);
        if (m_stream.seek(static_cast<std::int32_t>(from), kFromStart) < 0)
            return false;
        m_buffer.resize(static_cast<qsizetype>(want));
        if (m_stream.read(m_buffer.data(), static_cast<std::int32_t>(want)) != want) {
            m_buffer.clear();
            return false;
        }
        m_start = from;
        m_at = 0;
        return true;
    }

    Stream &m_stream;
    std::int64_t m_size;
    std::int64_t m_start; // file offset of m_buffer[0]
    std::int64_t m_at = 0;
    QByteArray m_buffer;
};

// Decimal depth; anything that is not a number counts as 0 (a root).
long long depthOf(const QByteArray &text)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok ? value : 0;
}

QByteArray codedField(const QByteArray &plain)
{
    return int32Bytes(static_cast<std::int32_t>(plain.size())) + BCodeToStr(plain);
}

} // namespace

bool readCodedText(Stream &stream, QString *text)
{
    QByteArray plain;
    if (!readCodedField(stream, &plain))
        return false;
    *text = decodeCp1250(plain);
    return true;
}

bool readTopicTitle(const QString &path, QString *title)
{
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    if (!stream)
        return false;
    return readCodedText(*stream, title);
}

bool readTopicFile(const QString &path, TopicFile *file)
{
    *file = TopicFile();
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    if (!stream)
        return false;
    FieldReader reader(*stream);
    QByteArray title;
    if (!reader.readField(&title))
        return false;
    file->title = decodeCp1250(BCodeToStr(title));

    TreeBuilder builder;
    QByteArray name, depth, heading, slide; // reused: reading keeps their storage
    while (reader.remaining() > 0) {
        if (!reader.readField(&name) || !reader.readField(&depth) || !reader.readField(&heading)
            || !reader.readField(&slide)) {
            file->complete = false;
            break;
        }
        depth = BCodeToStr(depth);
        heading = BCodeToStr(heading);
        slide = BCodeToStr(slide);
        ItemReference reference = 0;
        if (slide == "1")
            reference = static_cast<ItemReference>(reader.position()) & kOffsetMask;
        if (heading == "1")
            reference |= kHeadingFlag;
        if (slide != "0") {
            // The slide block is skipped, not read.
            std::int32_t length = 0;
            if (!reader.readInt32(&length) || !reader.skip(length)) {
                file->complete = false;
                break;
            }
        }
        builder.add(depthOf(depth));
        file->nodes.push_back({decodeCp1250(BCodeToStr(name)), reference});
    }
    file->tree = builder.take();
    return true;
}

QByteArray buildTopicFile(const QByteArray &title, const std::vector<TopicRecordSource> &records)
{
    QByteArray out = codedField(title);
    for (const TopicRecordSource &r : records) {
        out += codedField(r.name);
        out += codedField(r.depth);
        out += codedField(r.heading);
        out += codedField(r.slide);
        if (r.slide != "0")
            out += codedField(r.jpeg);
    }
    return out;
}

} // namespace marbelo
