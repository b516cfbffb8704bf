#pragma once
// The 256-entry colour table that turns heat into colour.

#include <array>
#include <cstdint>

namespace cindral::display {

// 0x00RRGGBB values, or 5-6-5 pixel values after PaletteTo565.
using Palette = std::array<std::uint32_t, 256>;

// Stores the built-in fire palette into entries 0..255.
void MakeFirePalette(Palette& colours);

}  // namespace cindral::display
