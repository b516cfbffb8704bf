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
