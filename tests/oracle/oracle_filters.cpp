#include "oracle/oracle_filters.h"

#include <cmath>

namespace cindral::oracle {

namespace {
std::uint32_t Clamp255(double v) {
    const double n = std::nearbyint(v);
    if (n > 255) return 255;
    if (n < 0) return 0;
    return static_cast<std::uint32_t>(n);
}
std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r * 65536 + g * 256 + b;
}
}  // namespace

bool OracleInitpal(std::int32_t kind, display::Palette& pal) {
    if (kind == 0) {
        display::MakeFirePalette(pal);
        return true;
    }
    for (int i = 0; i <= 255; ++i) {
        std::uint32_t v = 0;
        switch (kind) {
            case 1:
                if (i <= 63) {
                    v = Pack(0, i + 64, 255);
                } else if (i <= 127) {
                    v = Pack(Clamp255((i - 64) * 4.04), Clamp255((i - 64) * 2.04 + 127), 255);
                } else {
                    v = Pack(511 - 2 * i, 511 - 2 * i, 255);
                }
                break;
            case 2:
                if (i <= 63) {
                    v = Pack(0, i + 64, 255);
                } else if (i <= 191) {
                    const std::uint32_t g = Clamp255(std::sin(i / 191.0 * 6.28) * 25 + 200);
                    v = Pack(g, g, 255);
                } else {
                    v = Pack(Clamp255(255 - (i - 192) * 4.04),
                             Clamp255(255 - ((i - 192) * 2.04 + 125)), 255);
                }
                break;
            case 3:
                v = Pack(i, i, i);
                break;
            case 4:
                v = Pack(i, i, 255);
                break;
            case 5:
                v = Pack(Clamp255(383 - 127 * std::sin(i / 255.0 * 64)),
                         Clamp255(std::sin(i / 255.0 * 64) * 127 + 128), 0);
                break;
            default:
                return false;
        }
        pal[static_cast<std::size_t>(i)] = v;
    }
    return true;
}

void OracleClearEdge(HeatGrid& fb) {
    for (int r = 0; r <= fb.H; ++r) {
        fb.at(0, r) = 0;
        fb.at(fb.W, r) = 0;
    }
    for (int c = 0; c <= fb.W; ++c) {
        fb.at(c, 0) = 0;
        fb.at(c, fb.H) = 0;
    }
}

void OracleBlur(HeatGrid& fb) {
    for (int r = 1; r <= fb.H - 1; ++r) {
        int s0 = fb.at(0, r - 1) + fb.at(0, r) + fb.at(0, r + 1);
        int s1 = fb.at(1, r - 1) + fb.at(1, r) + fb.at(1, r + 1);
        for (int c = 2; c <= fb.W; ++c) {
            const int s2 = fb.at(c, r - 1) + fb.at(c, r) + fb.at(c, r + 1);
            fb.at(c - 1, r) = static_cast<std::uint8_t>((s0 + s1 + s2) / 9);
            s0 = s1;
            s1 = s2;
        }
    }
}

std::uint32_t OracleColorTo565(std::uint32_t colour) {
    const std::uint32_t red = (colour / 65536) % 256;
    const std::uint32_t green = (colour / 256) % 256;
    const std::uint32_t blue = colour % 256;
    return (red / 8) * 2048 + (green / 4) * 32 + blue / 8;
}

display::BltResult OracleBltArray(const display::ByteGrid& source, const display::Palette& colours,
                                  int destX, int destY, display::BltRect& rect,
                                  display::Surface& surface) {
    const int sw = surface.Width();
    const int sh = surface.Height();
    const int u1 = source.maxCol;
    const int u2 = source.maxRow;
    if (rect.right > u1) rect.right = u1;
    if (rect.left > u1) rect.left = u1;
    if (rect.bottom > u2) rect.bottom = u2;
    if (rect.top > u2) rect.top = u2;
    if (rect.top < 0) rect.top = 0;
    if (rect.left < 0) rect.left = 0;
    if (rect.right < 0) rect.right = 0;
    if (rect.bottom < 0) rect.bottom = 0;
    if (rect.bottom < rect.top) {
        const int t = rect.top;
        rect.top = rect.bottom;
        rect.bottom = t;
    }
    if (rect.right < rect.left) {
        const int t = rect.left;
        rect.left = rect.right;
        rect.right = t;
    }
    if (rect.top == rect.bottom || rect.left == rect.right) {
        return display::BltResult::kNothingToCopy;
    }
    display::LockedPixels px;
    if (!surface.Lock(px)) return display::BltResult::kLockFailed;
    const int bytes = surface.BitsPerPixel() / 8;
    for (int c = rect.left; c <= rect.right; ++c) {
        for (int r = rect.top; r <= rect.bottom; ++r) {
            const long long x = static_cast<long long>(destX) + c - rect.left;
            const long long y = static_cast<long long>(destY) + r - rect.top;
            if (x < 0 || x >= sw || y < 0 || y >= sh) continue;
            // SetLockedPixel: the value's low bytes, least significant first.
            const std::uint32_t value = colours[source.At(c, r)];
            std::uint8_t* p = px.data + y * px.pitch + x * bytes;
            for (int b = 0; b < bytes && b < 4; ++b)
                p[b] = static_cast<std::uint8_t>(value >> (8 * b));
        }
    }
    surface.Unlock();
    return display::BltResult::kCopied;
}

}  // namespace cindral::oracle
