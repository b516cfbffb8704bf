#include "platform/x11/frame_scaler.h"

#include <cstring>

#include "display/whole_pixel_stretch.h"

namespace cindral::platform::x11 {

FrameScaler::FrameScaler(int sourceWidth, int sourceHeight, int bytesPerPixel)
    : sw_(sourceWidth),
      sh_(sourceHeight),
      bpp_(bytesPerPixel),
      previous_(static_cast<std::size_t>(sourceWidth) * sourceHeight * bytesPerPixel) {}

std::vector<RowSpan> FrameScaler::Scale(const std::uint8_t* source, int sourcePitch,
                                        std::uint8_t* dest, int destPitch, int destWidth,
                                        int destHeight) {
    std::vector<RowSpan> spans;
    if (destWidth <= 0 || destHeight <= 0) return spans;
    if (destWidth != mappedWidth_ || destHeight != mappedHeight_) {
        mappedWidth_ = destWidth;
        mappedHeight_ = destHeight;
        full_ = true;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(sw_) * bpp_;
    std::vector<bool> changed(sh_);
    for (int sy = 0; sy < sh_; ++sy) {
        const std::uint8_t* row = source + static_cast<std::size_t>(sy) * sourcePitch;
        std::uint8_t* keep = previous_.data() + sy * rowBytes;
        changed[sy] = full_ || std::memcmp(row, keep, rowBytes) != 0;
        if (changed[sy]) std::memcpy(keep, row, rowBytes);
    }
    full_ = false;

    // Runs of destination rows whose source rows changed, each stretched at once.
    const display::PixelRows rows{source, sw_, sh_, sourcePitch, bpp_};
    for (int y = 0; y < destHeight;) {
        if (!changed[display::WholePixelSource(y, sh_, destHeight)]) {
            ++y;
            continue;
        }
        int end = y + 1;
        while (end < destHeight && changed[display::WholePixelSource(end, sh_, destHeight)]) ++end;
        display::StretchWholePixels(rows, dest + static_cast<std::size_t>(y) * destPitch, destPitch,
                                    destWidth, destHeight, {0, y, destWidth, end - y});
        spans.push_back({y, end - y});
        y = end;
    }
    return spans;
}

}  // namespace cindral::platform::x11
