#pragma once
// Conversion of 0x00RRGGBB colours to 16-bit 5-6-5 pixel values.

#include <cstdint>

#include "display/fire_palette.h"

namespace cindral::display {

// Top 5 bits of red in 11..15, top 6 of green in 5..10, top 5 of blue in 0..4.
constexpr std::uint32_t ColorTo565(std::uint32_t colour) {
    const std::uint32_t red = (colour >> 16) & 0xFFu;
    const std::uint32_t green = (colour >> 8) & 0xFFu;
    const std::uint32_t blue = colour & 0xFFu;
    return ((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3);
}

// Converts every entry in place (for a 16-bit display).
void PaletteTo565(Palette& colours);

}  // namespace cindral::display
