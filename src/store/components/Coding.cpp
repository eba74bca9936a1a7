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
    BCodeCopy(coded.constData(), plain.data(), coded.size(), 0);
    return plain;
}

void BCodeCopy(const char *in, char *out, qsizetype size, qsizetype start)
{
    qsizetype i = 0;
    for (; i < size && ((start + i) & 7) != 0; ++i)
        out[i] = static_cast<char>(in[i] ^ kKey[(start + i) & 7]);
    // Where the key starts again, eight bytes at a time: the key is the
    // same word for each of them.
    std::uint64_t key = 0;
    std::memcpy(&key, kKey, sizeof key);
    // Four words a turn, which the compiler can treat as wider ones.
    for (; i + 32 <= size; i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, in + i, sizeof words);
        for (std::uint64_t &word : words)
            word ^= key;
        std::memcpy(out + i, words, sizeof words);
    }
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, in + i, sizeof word);
        word ^= key;
        std::memcpy(out + i, &word, sizeof word);
    }
    for (; i < size; ++i)
        out[i] = static_cast<char>(in[i] ^ kKey[(start + i) & 7]);
}

} // namespace marbelo
