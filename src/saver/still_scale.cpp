#include "display/whole_pixel_stretch.h"
#include "saver/still.h"

namespace cindral::saver {

StillImage ScaleNearestRegion(const StillImage& source, int width, int height, int x, int y, int w,
                              int h) {
    StillImage out;
    if (source.width <= 0 || source.height <= 0) return out;
    const display::StretchPart part = display::ClipPart({x, y, w, h}, width, height);
    if (part.width == 0) return out;
    out.width = part.width;
    out.height = part.height;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    constexpr int kBytes = sizeof(std::uint32_t);
    const display::PixelRows rows{reinterpret_cast<const std::uint8_t*>(source.pixels.data()),
                                  source.width, source.height, source.width * kBytes, kBytes};
    display::StretchWholePixels(rows, reinterpret_cast<std::uint8_t*>(out.pixels.data()),
                                out.width * kBytes, width, height, part);
    return out;
}

StillImage ScaleNearest(const StillImage& source, int width, int height) {
    return ScaleNearestRegion(source, width, height, 0, 0, width, height);
}

}  // namespace cindral::saver
