#include "platform/x11/frame_scaler.h"

#include <cstring>

namespace cindral::platform::x11 {

namespace {

template <typename Pixel>
void ExpandRow(const std::uint8_t* src, std::uint8_t* dst, const std::vector<int>& columnOf) {
    const Pixel* s = reinterpret_cast<const Pixel*>(src);
    Pixel* d = reinterpret_cast<Pixel*>(dst);
    const int n = static_cast<int>(columnOf.size());
    for (int x = 0; x < n; ++x) d[x] = s[columnOf[x]];
}

}  // namespace

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
        columnOf_.resize(destWidth);
        for (int x = 0; x < destWidth; ++x) {
            columnOf_[x] = static_cast<int>(static_cast<std::int64_t>(x) * sw_ / destWidth);
        }
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

    const std::size_t destRowBytes = static_cast<std::size_t>(destWidth) * bpp_;
    int lastSource = -1;
    const std::uint8_t* lastRow = nullptr;
    for (int y = 0; y < destHeight; ++y) {
        int sy = static_cast<int>(static_cast<std::int64_t>(y) * sh_ / destHeight);
        if (!changed[sy]) continue;
        std::uint8_t* out = dest + static_cast<std::size_t>(y) * destPitch;
        if (sy == lastSource) {
            std::memcpy(out, lastRow, destRowBytes);  // the same source row again
        } else {
            const std::uint8_t* in = source + static_cast<std::size_t>(sy) * sourcePitch;
            if (bpp_ == 2) {
                ExpandRow<std::uint16_t>(in, out, columnOf_);
            } else {
                ExpandRow<std::uint32_t>(in, out, columnOf_);
            }
            lastSource = sy;
            lastRow = out;
        }
        if (!spans.empty() && spans.back().first + spans.back().count == y) {
            ++spans.back().count;
        } else {
            spans.push_back({y, 1});
        }
    }
    return spans;
}

}  // namespace cindral::platform::x11
