#pragma once
// The palette schemes a fire option string can choose.

#include <cstdint>

#include "display/fire_palette.h"

namespace cindral::fire {

// Fills every entry for palette kind 0..5 (0 is the built-in fire palette).
// Any other kind leaves `palette` alone and returns false: the program ends.
bool initpal(std::int32_t paletteKind, display::Palette& palette);

}  // namespace cindral::fire
