#include "saver/still.h"

#include <gtest/gtest.h>

namespace cindral::saver {
namespace {

TEST(SaverStill, ScaleNearestRepeatsAndDropsWholePixels) {
    StillImage src{2, 2, {1, 2, 3, 4}};
    StillImage up = ScaleNearest(src, 4, 4);
    EXPECT_EQ(up.pixels, (std::vector<std::uint32_t>{1, 1, 2, 2, 1, 1, 2, 2,  //
                                                     3, 3, 4, 4, 3, 3, 4, 4}));
    StillImage row{3, 1, {7, 8, 9}};
    EXPECT_EQ(ScaleNearest(row, 2, 1).pixels, (std::vector<std::uint32_t>{7, 8}));
    EXPECT_TRUE(ScaleNearest(src, 0, 5).pixels.empty());  // a 0 x 0 host gets nothing
}

TEST(SaverStill, ARegionOfTheScaledPictureIsMadeAlone) {
    // Pixel (x, y) of a w x h picture takes source pixel (x * sw / w, y * sh / h).
    const StillImage src{2, 2, {1, 2, 3, 4}};
    struct Case {
        int width, height, x, y, w, h;
        int outW, outH;
        std::vector<std::uint32_t> pixels;
    };
    const Case cases[] = {
        // Around the middle of a 16000 x 16000 host: the four source pixels meet there.
        {16000, 16000, 7999, 7999, 2, 2, 2, 2, {1, 2, 3, 4}},
        // The last row of the same host, three pixels from the right edge.
        {16000, 16000, 15997, 15999, 3, 1, 3, 1, {4, 4, 4}},
        // Clipped to the picture: only its part inside counts.
        {4, 4, -1, 3, 3, 5, 2, 1, {3, 3}},
        {4, 4, 2, 1, 10, 1, 2, 1, {2, 2}},
        // Nothing of it inside.
        {4, 4, 4, 0, 2, 2, 0, 0, {}},
        {4, 4, 0, -3, 2, 2, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " at " << c.x << ","
                                          << c.y << " size " << c.w << "x" << c.h);
        const StillImage part = ScaleNearestRegion(src, c.width, c.height, c.x, c.y, c.w, c.h);
        EXPECT_EQ(part.width, c.outW);
        EXPECT_EQ(part.height, c.outH);
        EXPECT_EQ(part.pixels, c.pixels);
    }
}

TEST(SaverStill, PreviewPictureIsTheSameFireAtEveryStart) {
    StillImage a = RenderPreviewStill();
    ASSERT_EQ(a.width, kStillWidth);
    ASSERT_EQ(a.height, kStillHeight);
    ASSERT_EQ(a.pixels.size(), 152u * 112u);
    int lit = 0;
    for (std::uint32_t p : a.pixels) {
        std::uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        ASSERT_GE(r, g);  // fire colours: red, then yellow, then white
        ASSERT_GE(g, b);
        lit += p != 0;
    }
    EXPECT_GT(lit, 152 * 112 / 3);
    EXPECT_EQ(RenderPreviewStill().pixels, a.pixels);
}

}  // namespace
}  // namespace cindral::saver
