#include "saver/still.h"

namespace cindral::saver {

StillImage ScaleNearest(const StillImage& source, int width, int height) {
    StillImage out;
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        int sy = static_cast<int>(static_cast<std::int64_t>(y) * source.height / height);
        const std::uint32_t* row = &source.pixels[static_cast<std::size_t>(sy) * source.width];
        std::uint32_t* dst = &out.pixels[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            dst[x] = row[static_cast<std::int64_t>(x) * source.width / width];
        }
    }
    return out;
}

}  // namespace cindral::saver
