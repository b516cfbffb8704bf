#include "fire/palette.h"

#include <algorithm>
#include <cmath>

namespace cindral::fire {

namespace {

// A component computed above 255 counts as 255 (and none comes out negative).
std::uint32_t Component(double v) {
    return static_cast<std::uint32_t>(std::clamp(std::nearbyint(v), 0.0, 255.0));
}

std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r * 65536u + g * 256u + b;
}

}  // namespace

bool initpal(std::int32_t paletteKind, display::Palette& palette) {
    switch (paletteKind) {
        case 0:
            display::MakeFirePalette(palette);
            return true;
        case 1:
            for (int i = 0; i <= 63; ++i) palette[i] = Pack(0, i + 64, 255);
            for (int i = 64; i <= 127; ++i) {
                palette[i] =
                    Pack(Component((i - 64) * 4.04), Component((i - 64) * 2.04 + 127), 255);
            }
            for (int i = 128; i <= 255; ++i) {
                const auto v = static_cast<std::uint32_t>(511 - 2 * i);
                palette[i] = Pack(v, v, 255);
            }
            return true;
        case 2:
            for (int i = 0; i <= 63; ++i) palette[i] = Pack(0, i + 64, 255);
            for (int i = 64; i <= 191; ++i) {
                const std::uint32_t v = Component(std::sin(i / 191.0 * 6.28) * 25 + 200);
                palette[i] = Pack(v, v, 255);
            }
            for (int i = 192; i <= 255; ++i) {
                palette[i] = Pack(Component(255 - (i - 192) * 4.04),
                                  Component(255 - ((i - 192) * 2.04 + 125)), 255);
            }
            return true;
        case 3:
            for (int i = 0; i <= 255; ++i) {
                const auto v = static_cast<std::uint32_t>(i);
                palette[i] = Pack(v, v, v);
            }
            return true;
        case 4:
            for (int i = 0; i <= 255; ++i) {
                const auto v = static_cast<std::uint32_t>(i);
                palette[i] = Pack(v, v, 255);
            }
            return true;
        case 5:
            for (int i = 0; i <= 255; ++i) {
                const double s = std::sin(i / 255.0 * 64);
                palette[i] = Pack(Component(383 - 127 * s), Component(s * 127 + 128), 0);
            }
            return true;
        default:
            return false;
    }
}

}  // namespace cindral::fire
