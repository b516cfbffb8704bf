#pragma once
// Colour arithmetic of the button: system colours to RGB, shading and gradient tables.

#include <vector>

#include "button/ports.h"
#include "button/types.h"

namespace cindral::button {

// A system colour (high bit set) becomes the RGB of the system colour it
// names, black when it names none; anything else already is RGB.
Color TranslateColor(Color c, const SystemColors& sys);

// Adds `amount` to each channel (the blue one in proportion to its value when
// blueProportional), clamps, optionally inverts; with avoidExtremes a pure
// black or white result is shaded the other way instead.
Color ShadeColor(Color c, int amount, bool blueProportional = false, bool avoidExtremes = false,
                 bool invert = false);

// `size` entries from `first` towards `last`: each channel adds its rounded
// per-entry step to a running value, so rounding errors accumulate.
std::vector<Color> BuildGradientTable(int size, Color first, Color last);

}  // namespace cindral::button
