// The 32-bit data word of every tree node: slide offset and heading flag.
#pragma once

#include <cstdint>

namespace marbelo {

using ItemReference = std::uint32_t;

constexpr ItemReference kOffsetMask = 0x3FFFFFFF;   // bits 0-29: offset of the slide block, 0 = none
constexpr ItemReference kHeadingFlag = 0x40000000;  // bit 30: heading (chapter), drawn bold
constexpr ItemReference kReceiverMask = 0x4FFFFFFF; // item may receive copied topics when all these are 0

constexpr bool hasSlide(ItemReference ref) { return (ref & kOffsetMask) != 0; }
constexpr std::uint32_t slideOffset(ItemReference ref) { return ref & kOffsetMask; }
constexpr bool isHeading(ItemReference ref) { return (ref & kHeadingFlag) != 0; }
// Sections and subsections: neither a chapter nor a copied topic. Bits 28 and 29
// are deliberately not looked at.
constexpr bool mayReceiveTopics(ItemReference ref) { return (ref & kReceiverMask) == 0; }

} // namespace marbelo
