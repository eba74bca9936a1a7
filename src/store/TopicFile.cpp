#include "store/TopicFile.h"

#include "store/Cp1250.h"
#include "store/Records.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"

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
    std::unique_ptr<Stream> stream;
    if (!OpenStream(stream, path, kOpenRead, 0))
        return false;
    return readCodedText(*stream, title);
}

bool readTopicFile(const QString &path, TopicFile *file)
{
    *file = TopicFile();
    std::unique_ptr<Stream> stream;
    if (!OpenStream(stream, path, kOpenRead, 0))
        return false;
    if (!readCodedText(*stream, &file->title))
        return false;

    TreeBuilder builder;
    const std::int32_t size = stream->size();
    while (stream->position() < size) {
        QByteArray name, depth, heading, slide;
        if (!readCodedField(*stream, &name) || !readCodedField(*stream, &depth)
            || !readCodedField(*stream, &heading) || !readCodedField(*stream, &slide)) {
            file->complete = false;
            break;
        }
        ItemReference reference = 0;
        if (slide == "1")
            reference = static_cast<ItemReference>(stream->position()) & kOffsetMask;
        if (heading == "1")
            reference |= kHeadingFlag;
        if (slide != "0") {
            // The slide block is skipped, not read.
            std::int32_t length = 0;
            if (!stream->readInt32(&length) || length < 0 || length > size - stream->position()) {
                file->complete = false;
                break;
            }
            stream->seek(length, kFromCurrent);
        }
        builder.add(depthOf(depth));
        file->nodes.push_back({decodeCp1250(name), reference});
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
