// Slide blocks: a 32-bit length N followed by N coded bytes of a JPEG picture.
// Topic files, image stores, the front-page file and presentation files all
// hold them. Every length read is checked against the bytes that remain, so a
// corrupt length never reads past the end of a file or allocates more than the
// file holds.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace marbelo {

class Stream;

inline const QByteArray kImageStoreMagic = QByteArrayLiteral("QUOX");

// The coded bytes of the block whose length word is at offset.
bool readSlideBlock(Stream &stream, std::int32_t offset, QByteArray *coded);
bool readSlideBlock(const QString &path, std::int32_t offset, QByteArray *coded);

// Block t (from 0) of a file made of blocks only, reached by skipping the
// blocks before it by their lengths.
bool readNthBlock(Stream &stream, int t, QByteArray *coded);

struct BlockInfo
{
    std::int32_t offset = 0; // offset of the length word
    std::int32_t length = 0;
};

// Every whole block from start to the end of the file. complete is false when
// the run ends in a block whose length is negative or runs past the end.
std::vector<BlockInfo> indexBlocks(Stream &stream, std::int32_t start, bool *complete = nullptr);

// Appends a block to an image store, with the magic first when the store is
// empty. Returns the offset of the new block's length word. A write that fails
// part way is cut back to the old end, so the store never holds a partial block.
std::optional<std::int32_t> appendSlideBlock(const QString &storePath, const QByteArray &coded,
                                             QString *error = nullptr);

// Bytes of one block as written: the length word and the bytes.
QByteArray blockBytes(const QByteArray &coded);

} // namespace marbelo
