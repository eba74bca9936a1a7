// The random numbers of a test's draw: splitmix64, specified to the bit, so a
// stored draw number gives the same questions and orders on every platform
// and standard library (the standard distributions differ between them).
#pragma once

#include <QList>

#include <cstdint>

namespace marbelo::exam {

class DrawNumbers
{
public:
    explicit DrawNumbers(std::uint64_t number) : m_state(number) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, bound), bound > 0: values below 2^64 mod bound are
    // drawn again, so no value is favoured.
    std::uint64_t below(std::uint64_t bound)
    {
        const std::uint64_t threshold = (0 - bound) % bound;
        for (;;) {
            const std::uint64_t value = next();
            if (value >= threshold)
                return value % bound;
        }
    }

    // Fisher-Yates from the last element down.
    template<typename T>
    void shuffle(QList<T> &items)
    {
        for (qsizetype i = items.size() - 1; i > 0; --i)
            items.swapItemsAt(i, qsizetype(below(std::uint64_t(i) + 1)));
    }

private:
    std::uint64_t m_state;
};

} // namespace marbelo::exam
