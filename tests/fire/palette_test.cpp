// Palette schemes chosen by the option string.

#include "fire/palette.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cindral::fire {
namespace {

std::uint32_t R(std::uint32_t c) { return c >> 16; }
std::uint32_t G(std::uint32_t c) { return (c >> 8) & 0xFF; }
std::uint32_t B(std::uint32_t c) { return c & 0xFF; }

TEST(Initpal, KindThreeIsGreyAndFourIsBlueTinted) {
    display::Palette pal{};
    ASSERT_TRUE(initpal(3, pal));
    EXPECT_EQ(pal[0], 0x000000u);
    EXPECT_EQ(pal[128], 0x808080u);
    EXPECT_EQ(pal[255], 0xFFFFFFu);
    ASSERT_TRUE(initpal(4, pal));
    EXPECT_EQ(pal[0], 0x0000FFu);
    EXPECT_EQ(pal[100], 0x6464FFu);
}

TEST(Initpal, KindFiveIsRedWithASineOfGreen) {
    display::Palette pal{};
    ASSERT_TRUE(initpal(5, pal));
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(R(pal[i]), 255u) << i;  // 383 - 127 sin(..) is never below 256
        EXPECT_EQ(B(pal[i]), 0u) << i;
        EXPECT_EQ(G(pal[i]),
                  static_cast<std::uint32_t>(std::nearbyint(128 + 127 * std::sin(64.0 * i / 255))))
            << i;
    }
    EXPECT_EQ(pal[0], 0xFF8000u);  // sin 0 = 0: green 128
}

TEST(Initpal, KindsOneAndTwoAreBlueSkies) {
    display::Palette pal{};
    ASSERT_TRUE(initpal(1, pal));
    EXPECT_EQ(pal[0], 0x0040FFu);
    EXPECT_EQ(pal[63], 0x007FFFu);
    EXPECT_EQ(pal[64], 0x007FFFu);
    EXPECT_EQ(pal[127], 0xFFFFFFu);  // 254.52 -> 255, 255.52 counts as 255
    EXPECT_EQ(pal[128], 0xFFFFFFu);
    EXPECT_EQ(pal[255], 0x0101FFu);
    ASSERT_TRUE(initpal(2, pal));
    EXPECT_EQ(pal[10], 0x004AFFu);
    EXPECT_EQ(pal[255], 0x0001FFu);  // Nearest(255 - 254.52) = 0, Nearest(255 - 253.52) = 1
    for (int i = 64; i <= 191; ++i) {
        EXPECT_GE(R(pal[i]), 175u);
        EXPECT_LE(R(pal[i]), 225u);
        EXPECT_EQ(R(pal[i]), G(pal[i]));
    }
}

TEST(Initpal, OtherKindsEndTheProgramAndLeaveThePaletteAlone) {
    for (const int kind : {6, -1, 100}) {
        display::Palette pal{};
        pal.fill(0x123456);
        EXPECT_FALSE(initpal(kind, pal)) << kind;
        EXPECT_EQ(pal[200], 0x123456u);
    }
}

}  // namespace
}  // namespace cindral::fire
