#include "display/whole_pixel_stretch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace cindral::display {
namespace {

// Destination (x, y) takes source (x * sw / dw, y * sh / dh); a part of the
// stretched picture lands at the start of the destination, rows `pitch`
// apart; padding in either picture is neither read nor written.
TEST(WholePixelStretch, PartOfTheStretchedPictureThroughPaddedRows) {
    constexpr std::uint16_t kPad = 0x5555;
    // 3 x 2 source of 16-bit pixels, rows 4 pixels apart (one of padding).
    const std::uint16_t source[8] = {0xA, 0xB, 0xC, kPad, 0xD, 0xE, 0xF, kPad};
    const PixelRows rows{reinterpret_cast<const std::uint8_t*>(source), 3, 2, 8, 2};
    struct Case {
        const char* name;
        int destWidth, destHeight;
        StretchPart part;
        StretchPart written;
        std::vector<std::vector<std::uint16_t>> pixels;  // the written rows
    };
    const Case cases[] = {
        // Columns 0..4 take 0 0 1 1 2; rows 0..3 take 0 0 1 1.
        {"the whole picture",
         5,
         4,
         {0, 0, 5, 4},
         {0, 0, 5, 4},
         {{0xA, 0xA, 0xB, 0xB, 0xC},
          {0xA, 0xA, 0xB, 0xB, 0xC},
          {0xD, 0xD, 0xE, 0xE, 0xF},
          {0xD, 0xD, 0xE, 0xE, 0xF}}},
        {"an inner part", 5, 4, {1, 1, 3, 2}, {1, 1, 3, 2}, {{0xA, 0xB, 0xB}, {0xD, 0xE, 0xE}}},
        {"a part over the edges, clipped",
         5,
         4,
         {3, -2, 9, 4},
         {3, 0, 2, 2},
         {{0xB, 0xC}, {0xB, 0xC}}},
        // Shrinking drops whole pixels: columns take 0 1, the one row takes 0.
        {"shrunk", 2, 1, {0, 0, 2, 1}, {0, 0, 2, 1}, {{0xA, 0xB}}},
        {"outside the picture", 5, 4, {5, 0, 2, 2}, {0, 0, 0, 0}, {}},
        {"an empty picture", 0, 4, {0, 0, 5, 4}, {0, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        constexpr int kDestPitchPixels = 8;
        std::vector<std::uint16_t> dest(kDestPitchPixels * 5, kPad);
        const StretchPart written =
            StretchWholePixels(rows, reinterpret_cast<std::uint8_t*>(dest.data()),
                               kDestPitchPixels * 2, c.destWidth, c.destHeight, c.part);
        EXPECT_EQ(written.x, c.written.x);
        EXPECT_EQ(written.y, c.written.y);
        EXPECT_EQ(written.width, c.written.width);
        EXPECT_EQ(written.height, c.written.height);
        std::vector<std::uint16_t> want(dest.size(), kPad);
        for (std::size_t y = 0; y < c.pixels.size(); ++y) {
            std::copy(c.pixels[y].begin(), c.pixels[y].end(), want.begin() + y * kDestPitchPixels);
        }
        EXPECT_EQ(dest, want);
    }
}

TEST(WholePixelStretch, FourBytePixelsKeepAllTheirBytes) {
    const std::uint32_t source[2] = {0x00112233, 0x44556677};
    const PixelRows rows{reinterpret_cast<const std::uint8_t*>(source), 2, 1, 8, 4};
    std::uint32_t dest[3] = {};
    StretchWholePixels(rows, reinterpret_cast<std::uint8_t*>(dest), 12, 3, 1, {0, 0, 3, 1});
    // Columns 0..2 take 0 0 1.
    EXPECT_EQ(std::vector<std::uint32_t>(dest, dest + 3),
              (std::vector<std::uint32_t>{0x00112233, 0x00112233, 0x44556677}));
}

// The shown area over real screens: every destination pixel shows the source
// pixel (x * 320 / W, y * 240 / H), also where a source row covers a
// fractional number of rows (1080 / 240) or the sizes share no factor.
TEST(WholePixelStretch, TheShownAreaOverScreensOfAnySize) {
    constexpr int sw = 320, sh = 240;
    std::vector<std::uint32_t> source(static_cast<std::size_t>(sw) * sh);
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) source[y * sw + x] = static_cast<std::uint32_t>(y << 12 | x);
    }
    const PixelRows rows{reinterpret_cast<const std::uint8_t*>(source.data()), sw, sh, sw * 4, 4};
    struct Size {
        int w, h;
    };
    for (const Size s :
         {Size{320, 240}, Size{1920, 1080}, Size{1366, 768}, Size{641, 479}, Size{100, 50}}) {
        std::vector<std::uint32_t> dest(static_cast<std::size_t>(s.w) * s.h, 0xDEADBEEF);
        StretchWholePixels(rows, reinterpret_cast<std::uint8_t*>(dest.data()), s.w * 4, s.w, s.h,
                           {0, 0, s.w, s.h});
        int wrong = 0;
        for (int y = 0; y < s.h; ++y) {
            for (int x = 0; x < s.w; ++x) {
                const auto want = static_cast<std::uint32_t>((y * sh / s.h) << 12 | (x * sw / s.w));
                wrong += dest[static_cast<std::size_t>(y) * s.w + x] != want;
            }
        }
        EXPECT_EQ(wrong, 0) << s.w << "x" << s.h;
    }
}

}  // namespace
}  // namespace cindral::display
