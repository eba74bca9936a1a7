#include "store/SlideBlocks.h"

#include "store/Records.h"
#include "store/components/Stream.h"

#include <QCoreApplication>

namespace marbelo {

bool readSlideBlock(Stream &stream, std::int32_t offset, QByteArray *coded)
{
    coded->resize(0);
    std::int32_t length = 0;
    if (offset < 0 || stream.seek(offset, kFromStart) != offset || !stream.readInt32(&length))
        return false;
    return stream.readExactly(coded, length);
}

bool readSlideBlock(const QString &path, std::int32_t offset, QByteArray *coded)
{
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    if (!stream)
        return false;
    return readSlideBlock(*stream, offset, coded);
}

bool readNthBlock(Stream &stream, int t, QByteArray *coded)
{
    coded->clear();
    if (t < 0 || stream.seek(0, kFromStart) != 0)
        return false;
    for (int i = 0; i < t; ++i) {
        std::int32_t length = 0;
        if (!stream.readInt32(&length) || length < 0 || length > stream.size() - stream.position())
            return false;
        stream.seek(length, kFromCurrent);
    }
    std::int32_t length = 0;
    return stream.readInt32(&length) && stream.readExactly(coded, length);
}

std::vector<BlockInfo> indexBlocks(Stream &stream, std::int32_t start, bool *complete)
{
    std::vector<BlockInfo> blocks;
    bool whole = true;
    const std::int32_t size = stream.size();
    std::int32_t at = start;
    if (stream.seek(at, kFromStart) != at)
        whole = at >= size;
    while (whole && at < size) {
        std::int32_t length = 0;
        if (!stream.readInt32(&length) || length < 0 || length > size - at - 4) {
            whole = false;
            break;
        }
        blocks.push_back({at, length});
        at += 4 + length;
        if (at < size && stream.seek(at, kFromStart) != at) {
            whole = false;
            break;
        }
    }
    if (complete)
        *complete = whole;
    return blocks;
}

QByteArray blockBytes(const QByteArray &coded)
{
    return int32Bytes(static_cast<std::int32_t>(coded.size())) + coded;
}

std::optional<std::int32_t> appendSlideBlock(const QString &storePath, const QByteArray &coded,
                                             QString *error)
{
    auto fail = [error](const QString &text) -> std::optional<std::int32_t> {
        if (error)
            *error = text;
        return std::nullopt;
    };
    std::unique_ptr<Stream> store = openStream(storePath, OpenMode::Write);
    if (!store)
        return fail(QCoreApplication::translate("SlideBlocks", "Nie można otworzyć magazynu slajdów."));
    const std::int32_t oldSize = store->size();
    QByteArray bytes;
    if (oldSize == 0)
        bytes = kImageStoreMagic;
    const qint64 offset = qint64(oldSize) + bytes.size();
    if (offset + 4 + coded.size() > 0x3FFFFFFF)
        return fail(QCoreApplication::translate("SlideBlocks", "Magazyn slajdów jest pełny."));
    bytes += blockBytes(coded);
    if (store->seek(oldSize, kFromStart) != oldSize || !store->writeAll(bytes) || !store->flush()) {
        store->truncate(oldSize);
        return fail(QCoreApplication::translate("SlideBlocks", "Nie można zapisać magazynu slajdów."));
    }
    return static_cast<std::int32_t>(offset);
}

} // namespace marbelo
