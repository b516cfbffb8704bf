#include "fire/fire_options.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "text/decimal.h"

namespace cindral::fire {

std::string_view ChoosePreset(std::int16_t& fireKind, int secondsSinceMidnight, Rnd& rnd) {
    if (fireKind == kRandomFireKind) {
        rnd.Seed(static_cast<std::uint64_t>(static_cast<std::int64_t>(secondsSinceMidnight)));
        fireKind = static_cast<std::int16_t>(std::floor(static_cast<double>(rnd.Next()) * 8.0));
    }
    if (fireKind >= 0 && fireKind < static_cast<int>(PresetTable.size())) {
        return PresetTable[static_cast<std::size_t>(fireKind)];
    }
    return {};
}

namespace {

// The scan uses 1-based positions; anything outside the string reads as '\0'.
char At(std::string_view s, std::int64_t pos) {
    if (pos < 1 || pos > static_cast<std::int64_t>(s.size())) return '\0';
    return s[static_cast<std::size_t>(pos - 1)];
}

std::string_view Mid(std::string_view s, std::int64_t pos, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(s.size());
    if (pos < 1 || pos > size || count <= 0) return {};
    return s.substr(static_cast<std::size_t>(pos - 1),
                    static_cast<std::size_t>(std::min(count, size - pos + 1)));
}

// Reads the number that starts at `i` and leaves `i` on the blank (or the end)
// that finished it. Exactly one separator is expected before the number: a
// second blank makes the text empty, so the value is 0.
double ReadNumber(std::string_view s, std::int64_t& i) {
    const auto length = static_cast<std::int64_t>(s.size());
    std::int64_t j = i;
    for (;;) {
        if (At(s, j) == ' ') break;
        ++j;
        if (j >= length) {
            ++j;
            break;
        }
    }
    const std::string_view text = Mid(s, i, j - i);
    i = j;
    return text::LeadingDecimal(text);
}

bool StoreInt32(double v, std::int32_t& field) {
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
    field = static_cast<std::int32_t>(r);
    return true;
}

bool StoreByte(double v, std::uint8_t& field) {
    const double r = std::nearbyint(v);
    if (!(r >= 0.0 && r <= 255.0)) return false;
    field = static_cast<std::uint8_t>(r);
    return true;
}

bool StoreSingle(double v, float& field) {
    // Beyond this a double rounds to infinity as a float: it does not fit.
    const double limit = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
    if (!(std::fabs(v) < limit)) return false;
    field = static_cast<float>(v);
    return true;
}

}  // namespace

namespace {

// Which options the string gave; the others take their defaults afterwards.
struct SeenOptions {
    bool p = false, b = false, g = false, c = false, s = false, n = false, heat = false;
};

// The options that take two numbers, the second after the blank that ended
// the first (read from s at i, which moves past it).
void StorePair(char name, double a, std::string_view s, std::int64_t& i, FireParams& p,
               SeenOptions& seen) {
    i += 1;
    const double b = ReadNumber(s, i);
    if (name == 'c') {
        StoreInt32(a, p.emitAngleStart);
        StoreInt32(b - p.emitAngleStart, p.emitAngleSpan);
        p.emitEnabled = true;
        seen.c = true;
    } else if (name == 'C') {
        StoreByte(a, p.heatStart);
        StoreByte(b - p.heatStart, p.heatSpan);
        seen.heat = true;
    } else {
        StoreSingle(a, p.speedMin);
        StoreSingle(b - static_cast<double>(p.speedMin), p.speedSpan);
        seen.s = true;
    }
}

// Stores option `name` with its first number `a`.
void StoreOption(char name, double a, std::string_view s, std::int64_t& i, FireParams& p,
                 SeenOptions& seen) {
    switch (name) {
        case 'f':
            StoreInt32(a, p.emitterMode);
            break;
        case 'p':
            StoreInt32(a, p.particleCount);
            seen.p = true;
            break;
        case 'b':
            StoreInt32(a, p.blurPasses);
            seen.b = true;
            break;
        case 'g':
            StoreSingle(a, p.gravity);
            seen.g = true;
            break;
        case 'y':
            StoreInt32(a, p.scrollRows);
            p.scrollEnabled = true;
            break;
        case 'k':
            StoreInt32(a, p.burstSize);
            break;
        case 'n':
            StoreInt32(a, p.spawnCount);
            seen.n = true;
            break;
        case 'N':
            StoreInt32(a, p.spawnJitter);
            break;
        case 'l':
            StoreInt32(a, p.paletteKind);
            break;
        case 'w':
            StoreSingle(a, p.windStrength);
            break;
        case 'd':
            StoreSingle(a, p.decay);
            break;
        case 'D':
            StoreSingle(a, p.decayJitter);
            break;
        case 'r':
            p.clearEachFrame = (a == 1.0);
            break;
        case 'c':
        case 'C':
        case 's':
            StorePair(name, a, s, i, p, seen);
            break;
        default:
            break;
    }
}

void ApplyDefaults(const SeenOptions& seen, FireParams& p) {
    if (!seen.p) p.particleCount = 2000;
    if (!seen.b) p.blurPasses = 1;
    if (!seen.g) p.gravity = -0.01f;
    if (!seen.c) {
        p.emitAngleStart = 180;
        p.emitAngleSpan = 180;
    }
    if (!seen.s) {
        p.speedMin = 0.0f;
        p.speedSpan = 1.0f;
    }
    if (!seen.n) p.spawnCount = 3;
    if (!seen.heat) {
        p.heatSpan = 0;
        p.heatStart = 255;
    }
}

}  // namespace

void ParseFireOptions(std::string_view s, FireParams& p) {
    SeenOptions seen;
    const auto length = static_cast<std::int64_t>(s.size());
    for (std::int64_t i = 1; i <= length; ++i) {
        if (At(s, i) != '-') continue;
        const char name = At(s, i + 1);
        if (std::string_view("fpbgyknNcCsdlwDr").find(name) == std::string_view::npos ||
            name == '\0') {
            continue;
        }
        if (name == 'w' || name == 'l') p.windEnabled = true;
        i += 3;
        const double a = ReadNumber(s, i);
        StoreOption(name, a, s, i, p, seen);
    }
    ApplyDefaults(seen, p);
}

}  // namespace cindral::fire
