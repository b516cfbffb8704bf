#include "display/whole_pixel_stretch.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace cindral::display {

namespace {

template <typename Pixel>
void ExpandRow(const std::uint8_t* src, std::uint8_t* dst, const std::vector<int>& columnOf) {
    const Pixel* s = reinterpret_cast<const Pixel*>(src);
    Pixel* d = reinterpret_cast<Pixel*>(dst);
    const int n = static_cast<int>(columnOf.size());
    for (int x = 0; x < n; ++x) d[x] = s[columnOf[x]];
}

}  // namespace

StretchPart ClipPart(StretchPart part, int destWidth, int destHeight) {
    const int x0 = std::max(part.x, 0), y0 = std::max(part.y, 0);
    const int x1 =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{part.x} + part.width, destWidth));
    const int y1 =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{part.y} + part.height, destHeight));
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

StretchPart StretchWholePixels(const PixelRows& source, std::uint8_t* dest, int destPitch,
                               int destWidth, int destHeight, StretchPart part) {
    if (source.width <= 0 || source.height <= 0) return {};
    const StretchPart clipped = ClipPart(part, destWidth, destHeight);
    if (clipped.width == 0) return {};
    const int x0 = clipped.x, y0 = clipped.y;
    const int x1 = x0 + clipped.width, y1 = y0 + clipped.height;

    std::vector<int> columnOf(static_cast<std::size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x) columnOf[x - x0] = WholePixelSource(x, source.width, destWidth);
    const std::size_t rowBytes = columnOf.size() * source.bytesPerPixel;
    int lastSource = -1;
    const std::uint8_t* lastRow = nullptr;
    for (int y = y0; y < y1; ++y) {
        const int sy = WholePixelSource(y, source.height, destHeight);
        std::uint8_t* out = dest + static_cast<std::size_t>(y - y0) * destPitch;
        if (sy == lastSource) {
            std::memcpy(out, lastRow, rowBytes);  // the same source row again
            continue;
        }
        const std::uint8_t* in = source.pixels + static_cast<std::size_t>(sy) * source.pitch;
        if (source.bytesPerPixel == 2) {
            ExpandRow<std::uint16_t>(in, out, columnOf);
        } else {
            ExpandRow<std::uint32_t>(in, out, columnOf);
        }
        lastSource = sy;
        lastRow = out;
    }
    return clipped;
}

}  // namespace cindral::display
