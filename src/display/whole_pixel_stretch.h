#pragma once
// The whole-pixel stretch of a small picture over a larger (or smaller) one:
// destination pixel (x, y) takes source pixel (x * sw / dw, y * sh / dh), so
// every source pixel is used as evenly as whole pixels allow and the corners
// stay the corners. The saver's CPU presentation and the preview's still both
// use it.

#include <cstdint>

namespace cindral::display {

// Pixels in memory, 2 or 4 bytes each, `pitch` bytes from a row to the next.
struct PixelRows {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    int bytesPerPixel = 4;
};

// A rectangle of the stretched picture.
struct StretchPart {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The source row (or column) that destination row `at` of `destSize` takes.
inline int WholePixelSource(int at, int sourceSize, int destSize) {
    return static_cast<int>(static_cast<std::int64_t>(at) * sourceSize / destSize);
}

// `part` clipped to a stretched picture of destWidth x destHeight; empty (all
// zero) when nothing of it lies inside.
StretchPart ClipPart(StretchPart part, int destWidth, int destHeight);

// Writes `part` of `source` stretched to destWidth x destHeight, clipped to
// that size: the part's top-left pixel goes to `dest`, its rows `destPitch`
// bytes apart, in the source's pixel size. Returns the part written (empty
// when nothing overlaps).
StretchPart StretchWholePixels(const PixelRows& source, std::uint8_t* dest, int destPitch,
                               int destWidth, int destHeight, StretchPart part);

}  // namespace cindral::display
