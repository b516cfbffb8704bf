#include "button/color.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace cindral::button {

namespace {

// The system colour a system colour value's low byte numbers, if any.
std::optional<SystemColor> SystemColorNamed(Color c) {
    const Color index = c & 0xFF;
    if (index > static_cast<Color>(SystemColor::MenuBar) || index == 25) return std::nullopt;
    return static_cast<SystemColor>(index);
}

}  // namespace

Color TranslateColor(Color c, const SystemColors& sys) {
    if (!(c & 0x80000000u)) return c;
    // A number the system has no colour for reads as black, as the system's
    // own table answers it.
    const std::optional<SystemColor> name = SystemColorNamed(c);
    return name ? sys.SystemColorRgb(*name) & 0xFFFFFF : 0;
}

namespace {

Color ShadeOnce(Color c, int a, bool blueProportional, bool invert) {
    int r = RedOf(c) + a;
    int g = GreenOf(c) + a;
    int b = blueProportional ? BlueOf(c) + (a * BlueOf(c)) / 192 : BlueOf(c) + a;
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    if (invert) {
        r = 255 - r;
        g = 255 - g;
        b = 255 - b;
    }
    return Rgb(r, g, b);
}

}  // namespace

Color ShadeColor(Color c, int amount, bool blueProportional, bool avoidExtremes, bool invert) {
    Color out = ShadeOnce(c, amount, blueProportional, invert);
    // Two retries suffice: amount 0 becomes 64, and 64 on a colour that stays
    // extreme becomes -64, which cannot leave it extreme in the same direction.
    for (int tries = 0; avoidExtremes && tries < 2 && (out == 0 || out == 0xFFFFFF); ++tries) {
        amount = amount == 0 ? 64 : -amount;
        out = ShadeOnce(c, amount, blueProportional, invert);
    }
    return out;
}

std::vector<Color> BuildGradientTable(int size, Color first, Color last) {
    std::vector<Color> table;
    if (size <= 0) return table;
    table.reserve(static_cast<size_t>(size));
    table.push_back(first);
    const int from[3] = {RedOf(first), GreenOf(first), BlueOf(first)};
    const int to[3] = {RedOf(last), GreenOf(last), BlueOf(last)};
    int step[3] = {0, 0, 0};
    int run[3] = {from[0], from[1], from[2]};
    if (size > 1) {
        for (int k = 0; k < 3; ++k) {
            step[k] = static_cast<int>(std::nearbyint(double(to[k] - from[k]) / (size - 1)));
        }
    }
    for (int i = 1; i < size; ++i) {
        for (int k = 0; k < 3; ++k) run[k] = std::clamp(run[k] + step[k], 0, 255);
        table.push_back(Rgb(run[0], run[1], run[2]));
    }
    return table;
}

}  // namespace cindral::button
