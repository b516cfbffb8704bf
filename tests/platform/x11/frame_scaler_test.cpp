#include "platform/x11/frame_scaler.h"

#include <gtest/gtest.h>

#include <cstring>

namespace cindral::platform::x11 {
namespace {

using Span = std::vector<RowSpan>;

class FrameScalerTest : public ::testing::Test {
  protected:
    // 2 x 2 source: a b / c d, 4 bytes a pixel; 5 x 3 destination.
    std::uint32_t src[4] = {0xA, 0xB, 0xC, 0xD};
    std::uint32_t dst[15] = {};
    FrameScaler scaler{2, 2, 4};
    Span Run(int w = 5, int h = 3) {
        return scaler.Scale(reinterpret_cast<const std::uint8_t*>(src), 8,
                            reinterpret_cast<std::uint8_t*>(dst), w * 4, w, h);
    }
};

TEST_F(FrameScalerTest, EachDestinationPixelTakesItsWholePixelSource) {
    EXPECT_EQ(Run(), (Span{{0, 3}}));
    // Columns 0..4 take source columns 0 0 0 1 1; rows 0..2 take rows 0 0 1.
    const std::uint32_t want[15] = {0xA, 0xA, 0xA, 0xB, 0xB,  //
                                    0xA, 0xA, 0xA, 0xB, 0xB,  //
                                    0xC, 0xC, 0xC, 0xD, 0xD};
    EXPECT_EQ(std::memcmp(dst, want, sizeof want), 0);
}

TEST_F(FrameScalerTest, OnlyRowsWhoseSourceChangedAreWritten) {
    Run();
    std::memset(dst, 0x55, sizeof dst);
    EXPECT_TRUE(Run().empty());
    EXPECT_EQ(dst[0], 0x55555555u);  // untouched

    src[3] = 0xE;  // bottom source row
    EXPECT_EQ(Run(), (Span{{2, 1}}));
    EXPECT_EQ(dst[14], 0xEu);
    EXPECT_EQ(dst[9], 0x55555555u);

    src[0] = 0xF;  // top source row: destination rows 0 and 1
    EXPECT_EQ(Run(), (Span{{0, 2}}));
    EXPECT_EQ(dst[5], 0xFu);
}

TEST_F(FrameScalerTest, InvalidateOrNewSizeRewritesEverything) {
    Run();
    scaler.Invalidate();
    EXPECT_EQ(Run(), (Span{{0, 3}}));
    EXPECT_EQ(Run(4, 2), (Span{{0, 2}}));
    EXPECT_EQ(dst[0], 0xAu);
    EXPECT_EQ(dst[3], 0xBu);  // 4 wide: columns take 0 0 1 1
    EXPECT_EQ(dst[7], 0xDu);
}

TEST(FrameScaler, SixteenBitPixels) {
    std::uint16_t src[3] = {0xF800, 0x07E0, 0x001F};  // 3 x 1
    std::uint16_t dst[6] = {};
    FrameScaler scaler(3, 1, 2);
    auto spans = scaler.Scale(reinterpret_cast<const std::uint8_t*>(src), 6,
                              reinterpret_cast<std::uint8_t*>(dst), 12, 6, 1);
    EXPECT_EQ(spans, (Span{{0, 1}}));
    const std::uint16_t want[6] = {0xF800, 0xF800, 0x07E0, 0x07E0, 0x001F, 0x001F};
    EXPECT_EQ(std::memcmp(dst, want, sizeof want), 0);
}

}  // namespace
}  // namespace cindral::platform::x11
