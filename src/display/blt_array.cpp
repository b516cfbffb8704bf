#include "display/blt_array.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace cindral::display {

bool ClampBltRect(const ByteGrid& source, BltRect& rect) {
    const int u1 = source.maxCol, u2 = source.maxRow;
    rect.right = std::min(rect.right, u1);
    rect.left = std::min(rect.left, u1);
    rect.bottom = std::min(rect.bottom, u2);
    rect.top = std::min(rect.top, u2);
    rect.top = std::max(rect.top, 0);
    rect.left = std::max(rect.left, 0);
    rect.right = std::max(rect.right, 0);
    rect.bottom = std::max(rect.bottom, 0);
    if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
    if (rect.right < rect.left) std::swap(rect.left, rect.right);
    return rect.top != rect.bottom && rect.left != rect.right;
}

namespace {

template <typename Pixel>
void CopyRows(const ByteGrid& source, const Palette& colours, int c0, int c1, int r0, int r1,
              std::int64_t x0, std::int64_t y0, const LockedPixels& px) {
    for (int r = r0; r <= r1; ++r) {
        const std::uint8_t* src = source.data + static_cast<std::size_t>(r) *
                                                    (static_cast<std::size_t>(source.maxCol) + 1);
        std::uint8_t* dst = px.data + (y0 + (r - r0)) * px.pitch + x0 * std::int64_t{sizeof(Pixel)};
        for (int c = c0; c <= c1; ++c) {
            const auto value = static_cast<Pixel>(colours[src[c]]);
            std::memcpy(dst, &value, sizeof(Pixel));
            dst += sizeof(Pixel);
        }
    }
}

void CopyRowsAnyDepth(const ByteGrid& source, const Palette& colours, int c0, int c1, int r0,
                      int r1, std::int64_t x0, std::int64_t y0, const LockedPixels& px,
                      int bytesPerPixel) {
    for (int r = r0; r <= r1; ++r) {
        std::uint8_t* dst = px.data + (y0 + (r - r0)) * px.pitch + x0 * bytesPerPixel;
        for (int c = c0; c <= c1; ++c) {
            const std::uint32_t value = colours[source.At(c, r)];
            for (int b = 0; b < bytesPerPixel; ++b)
                *dst++ = static_cast<std::uint8_t>(value >> (8 * b));
        }
    }
}

}  // namespace

BltResult BltArray(const ByteGrid& source, const Palette& colours, int destX, int destY,
                   BltRect& rect, Surface& surface) {
    if (source.data == nullptr || source.maxCol < 0 || source.maxRow < 0) {
        return BltResult::kNothingToCopy;
    }
    if (!ClampBltRect(source, rect)) return BltResult::kNothingToCopy;

    const std::int64_t sw = surface.Width(), sh = surface.Height();
    // The part of the rectangle whose destination lies on the surface.
    const std::int64_t dx = std::int64_t{destX} - rect.left;
    const std::int64_t dy = std::int64_t{destY} - rect.top;
    const std::int64_t c0 = std::max<std::int64_t>(rect.left, -dx);
    const std::int64_t c1 = std::min<std::int64_t>(rect.right, sw - 1 - dx);
    const std::int64_t r0 = std::max<std::int64_t>(rect.top, -dy);
    const std::int64_t r1 = std::min<std::int64_t>(rect.bottom, sh - 1 - dy);

    LockedPixels px;
    if (!surface.Lock(px)) return BltResult::kLockFailed;
    if (c0 <= c1 && r0 <= r1) {
        const int bytesPerPixel = surface.BitsPerPixel() / 8;
        const auto ic0 = static_cast<int>(c0), ic1 = static_cast<int>(c1);
        const auto ir0 = static_cast<int>(r0), ir1 = static_cast<int>(r1);
        if (bytesPerPixel == 4) {
            CopyRows<std::uint32_t>(source, colours, ic0, ic1, ir0, ir1, c0 + dx, r0 + dy, px);
        } else if (bytesPerPixel == 2) {
            CopyRows<std::uint16_t>(source, colours, ic0, ic1, ir0, ir1, c0 + dx, r0 + dy, px);
        } else if (bytesPerPixel > 0) {
            CopyRowsAnyDepth(source, colours, ic0, ic1, ir0, ir1, c0 + dx, r0 + dy, px,
                             std::min(bytesPerPixel, 4));
        }
    }
    surface.Unlock();
    return BltResult::kCopied;
}

}  // namespace cindral::display
