// Slide blocks read straight from bytes in memory: the model the file readers
// are checked against.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace fuzz {

inline bool plainLength(const QByteArray &file, qint64 at, qint64 *length)
{
    if (at < 0 || file.size() - at < 4)
        return false;
    const auto *b = reinterpret_cast<const unsigned char *>(file.constData() + at);
    *length = static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
                                        | std::uint32_t(b[3]) << 24);
    return *length >= 0 && *length <= file.size() - at - 4;
}

// The block whose length word is at offset at.
inline bool plainBlock(const QByteArray &file, qint64 at, QByteArray *coded)
{
    qint64 length = 0;
    if (!plainLength(file, at, &length))
        return false;
    *coded = file.mid(at + 4, length);
    return true;
}

// Block t of a file made of blocks only.
inline bool plainNthBlock(const QByteArray &file, int t, QByteArray *coded)
{
    qint64 at = 0;
    for (int i = 0; i < t; ++i) {
        qint64 length = 0;
        if (!plainLength(file, at, &length))
            return false;
        at += 4 + length;
    }
    return t >= 0 && plainBlock(file, at, coded);
}

struct PlainBlock
{
    qint64 offset;
    qint64 length;
};

// The whole blocks from start on; complete when they end exactly at the end.
inline std::vector<PlainBlock> plainIndex(const QByteArray &file, qint64 start, bool *complete)
{
    std::vector<PlainBlock> blocks;
    qint64 at = start;
    qint64 length = 0;
    while (at < file.size() && plainLength(file, at, &length)) {
        blocks.push_back({at, length});
        at += 4 + length;
    }
    *complete = at >= file.size();
    return blocks;
}

} // namespace fuzz
