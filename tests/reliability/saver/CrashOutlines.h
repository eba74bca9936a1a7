// The two outlines the crash-consistency test saves over each other, each
// with hours on some headings (kept in the programme file beside it).
#pragma once

#include "store/Outline.h"

namespace crash_outlines {

// Three items.
inline std::vector<marbelo::OutlineRecord> small()
{
    return {{QStringLiteral("Rozdział 1"), 0, marbelo::kHeadingFlag, marbelo::PlannedHours{8, 0}},
            {QStringLiteral("Dział 1.1"), 1, 0, marbelo::PlannedHours{2, 2}},
            {QStringLiteral("Temat"), 2, 4}};
}

// Sixty items, so that a save takes several writes of the buffer; its first
// items have small's names in other places and with other hours.
inline std::vector<marbelo::OutlineRecord> large()
{
    std::vector<marbelo::OutlineRecord> records{
        {QStringLiteral("Dział 1.1"), 0, 0, marbelo::PlannedHours{5, 0}},
        {QStringLiteral("Rozdział 1"), 1, 0, marbelo::PlannedHours{1, 1}}};
    for (int i = 2; i < 60; ++i)
        records.push_back({QStringLiteral("Pozycja %1 – żółć").arg(i), i % 3,
                           static_cast<marbelo::ItemReference>(i % 2 ? 0 : i * 100),
                           i % 2 ? std::optional(marbelo::PlannedHours{i, 1}) : std::nullopt});
    return records;
}

inline std::vector<marbelo::OutlineRecord> withoutHours(std::vector<marbelo::OutlineRecord> records)
{
    for (marbelo::OutlineRecord &r : records)
        r.hours.reset();
    return records;
}

} // namespace crash_outlines
