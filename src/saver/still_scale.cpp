#include <algorithm>
#include <cstdint>

#include "saver/still.h"

namespace cindral::saver {

StillImage ScaleNearestRegion(const StillImage& source, int width, int height, int x, int y, int w,
                              int h) {
    StillImage out;
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return out;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + w, width));
    const int y1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + h, height));
    if (x1 <= x0 || y1 <= y0) return out;
    out.width = x1 - x0;
    out.height = y1 - y0;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int dy = y0; dy < y1; ++dy) {
        const auto sy = static_cast<std::int64_t>(dy) * source.height / height;
        const std::uint32_t* row = &source.pixels[static_cast<std::size_t>(sy) * source.width];
        std::uint32_t* dst = &out.pixels[static_cast<std::size_t>(dy - y0) * out.width];
        for (int dx = x0; dx < x1; ++dx) {
            dst[dx - x0] = row[static_cast<std::int64_t>(dx) * source.width / width];
        }
    }
    return out;
}

StillImage ScaleNearest(const StillImage& source, int width, int height) {
    return ScaleNearestRegion(source, width, height, 0, 0, width, height);
}

}  // namespace cindral::saver
