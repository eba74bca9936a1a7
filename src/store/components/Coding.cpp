#include "store/components/Coding.h"

#include <cstdint>
#include <cstring>

namespace marbelo {

namespace {

constexpr char kKey[8] = {'Q', 'U', 'O', 'X', 'I', 'R', 'A', 'N'};

} // namespace

QByteArray BCodeToStr(const QByteArray &coded)
{
    QByteArray plain(coded.size(), Qt::Uninitialized);
    std::memcpy(plain.data(), coded.constData(), static_cast<std::size_t>(coded.size()));
    BCodeInPlace(plain.data(), plain.size(), 0);
    return plain;
}

void BCodeInPlace(char *bytes, qsizetype size, qsizetype start)
{
    qsizetype i = 0;
    for (; i < size && ((start + i) & 7) != 0; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ kKey[(start + i) & 7]);
    // Where the key starts again, eight bytes at a time: the key is the
    // same word for each of them.
    std::uint64_t key = 0;
    std::memcpy(&key, kKey, sizeof key);
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + i, sizeof word);
        word ^= key;
        std::memcpy(bytes + i, &word, sizeof word);
    }
    for (; i < size; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ kKey[(start + i) & 7]);
}

} // namespace marbelo
