#include "platform/wayland/shm_buffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace cindral::platform::wayland {
namespace {

// Without a viewporter the frame is stretched by whole pixels: destination
// (x, y) shows source (x * sw / dw, y * sh / dh).
TEST(WaylandWholePixelStretch, EveryDestinationPixelShowsItsSourcePixel) {
    struct Size {
        int w, h;
    };
    const Size sizes[] = {{320, 240}, {1920, 1080}, {1366, 768}, {641, 479}, {100, 50}};
    const int sw = 320, sh = 240;
    std::vector<std::uint32_t> source(static_cast<std::size_t>(sw) * sh);
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) source[y * sw + x] = static_cast<std::uint32_t>(y << 12 | x);
    }
    for (const auto& s : sizes) {
        std::vector<std::uint32_t> dest(static_cast<std::size_t>(s.w) * s.h, 0xDEADBEEF);
        StretchWholePixels(reinterpret_cast<const std::uint8_t*>(source.data()), sw * 4, sw, sh,
                           reinterpret_cast<std::uint8_t*>(dest.data()), s.w * 4, s.w, s.h);
        int wrong = 0;
        for (int y = 0; y < s.h; ++y) {
            for (int x = 0; x < s.w; ++x) {
                const std::uint32_t want =
                    static_cast<std::uint32_t>((y * sh / s.h) << 12 | (x * sw / s.w));
                wrong += dest[static_cast<std::size_t>(y) * s.w + x] != want;
            }
        }
        EXPECT_EQ(wrong, 0) << s.w << "x" << s.h;
    }
}

// At 1920 x 1080 each source column covers exactly 6 columns and each source
// row 4.5 rows on average: the boundaries fall where whole-pixel scaling puts
// them (column 6 starts source column 1; row 9 starts source row 2).
TEST(WaylandWholePixelStretch, BoundariesAtFullHd) {
    const int sw = 320, sh = 240, dw = 1920, dh = 1080;
    std::vector<std::uint32_t> source(static_cast<std::size_t>(sw) * sh);
    for (int i = 0; i < sw * sh; ++i) source[i] = static_cast<std::uint32_t>(i);
    std::vector<std::uint32_t> dest(static_cast<std::size_t>(dw) * dh);
    StretchWholePixels(reinterpret_cast<const std::uint8_t*>(source.data()), sw * 4, sw, sh,
                       reinterpret_cast<std::uint8_t*>(dest.data()), dw * 4, dw, dh);
    EXPECT_EQ(dest[5], 0u);
    EXPECT_EQ(dest[6], 1u);
    EXPECT_EQ(dest[1919], 319u);
    EXPECT_EQ(dest[8 * dw], static_cast<std::uint32_t>(1 * sw));  // 8 * 240 / 1080 = 1
    EXPECT_EQ(dest[9 * dw], static_cast<std::uint32_t>(2 * sw));  // 9 * 240 / 1080 = 2
    EXPECT_EQ(dest[1079 * dw + 1919], static_cast<std::uint32_t>(sw * sh - 1));
}

}  // namespace
}  // namespace cindral::platform::wayland
