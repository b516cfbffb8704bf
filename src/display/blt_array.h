#pragma once
// Copying a rectangle of an 8-bit array through a colour table into a surface.

#include <cstdint>

#include "display/fire_palette.h"
#include "display/ports.h"

namespace cindral::display {

// A read-only 2-D byte array: columns 0..maxCol, rows 0..maxRow (both
// inclusive), stored row by row with the column varying fastest.
struct ByteGrid {
    const std::uint8_t* data = nullptr;
    int maxCol = -1;
    int maxRow = -1;
    std::uint8_t At(int c, int r) const {
        return data[static_cast<std::size_t>(r) * (static_cast<std::size_t>(maxCol) + 1) +
                    static_cast<std::size_t>(c)];
    }
};

// Inclusive bounds; BltArray clamps and orders them in place.
struct BltRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class BltResult {
    kCopied,
    kNothingToCopy,  // the rectangle collapsed to zero width or height
    kLockFailed,     // the surface could not be locked; nothing was written
};

// Clamps `rect` to the source's highest indices, then to 0, orders it, and
// copies source(c, r) for c = left..right, r = top..bottom through `colours`
// to surface pixel (destX + c - left, destY + r - top). Pixels outside the
// surface are skipped. A pixel gets the low 16 bits of its colour on a 16-bit
// surface and the whole value on a 32-bit one.
BltResult BltArray(const ByteGrid& source, const Palette& colours, int destX, int destY,
                   BltRect& rect, Surface& surface);

// The clamping and ordering step alone; true when the rectangle still has
// width and height.
bool ClampBltRect(const ByteGrid& source, BltRect& rect);

}  // namespace cindral::display
