// The two outlines the crash-consistency test saves over each other.
#pragma once

#include "store/Outline.h"

namespace crash_outlines {

// Three items.
inline std::vector<marbelo::OutlineRecord> small()
{
    return {{QStringLiteral("Rozdział 1"), 0, marbelo::kHeadingFlag},
            {QStringLiteral("Dział 1.1"), 1, 0},
            {QStringLiteral("Temat"), 2, 4}};
}

// Sixty items, so that a save takes several writes of the buffer.
inline std::vector<marbelo::OutlineRecord> large()
{
    std::vector<marbelo::OutlineRecord> records;
    for (int i = 0; i < 60; ++i)
        records.push_back({QStringLiteral("Pozycja %1 – żółć").arg(i), i % 3, static_cast<marbelo::ItemReference>(i * 100)});
    return records;
}

} // namespace crash_outlines
