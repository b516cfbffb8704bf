#include "button/color.h"

#include <gtest/gtest.h>

namespace cindral::button {
namespace {

TEST(ShadeColor, AddsToEachChannelAndClamps) {
    EXPECT_EQ(ShadeColor(Rgb(10, 100, 250), 10), Rgb(20, 110, 255));
    EXPECT_EQ(ShadeColor(Rgb(10, 100, 250), -20), Rgb(0, 80, 230));
    EXPECT_EQ(ShadeColor(Rgb(10, 100, 250), 0, false, false, true), Rgb(245, 155, 5));
}

TEST(ShadeColor, BlueProportionalScalesTheBlueStepAndTruncatesTowardsZero) {
    // 100 + (-25 * 100) / 192 = 100 - 13 (13.02 truncated).
    EXPECT_EQ(ShadeColor(Rgb(50, 50, 100), -25, true), Rgb(25, 25, 87));
    // -10 * 10 / 192 = -0.52, truncated to 0.
    EXPECT_EQ(ShadeColor(Rgb(50, 50, 10), -10, true), Rgb(40, 40, 10));
}

TEST(ShadeColor, AvoidExtremesShadesTheOtherWay) {
    EXPECT_EQ(ShadeColor(0xFFFFFF, 40, false, true), Rgb(215, 215, 215));
    EXPECT_EQ(ShadeColor(0x000000, -32, false, true), Rgb(32, 32, 32));
    // Amount 0 on black becomes 64; on white 64 stays white, so -64.
    EXPECT_EQ(ShadeColor(0x000000, 0, false, true), Rgb(64, 64, 64));
    EXPECT_EQ(ShadeColor(0xFFFFFF, 0, false, true), Rgb(191, 191, 191));
    // Not extreme: untouched.
    EXPECT_EQ(ShadeColor(Rgb(1, 0, 0), 0, false, true), Rgb(1, 0, 0));
}

TEST(TranslateColor, SystemColoursComeFromTheTable) {
    struct Table : SystemColors {
        Color GetSysColor(int index) const override { return index == 15 ? Rgb(1, 2, 3) : 0; }
    } table;
    EXPECT_EQ(TranslateColor(0x8000000F, table), Rgb(1, 2, 3));
    EXPECT_EQ(TranslateColor(Rgb(9, 8, 7), table), Rgb(9, 8, 7));
}

TEST(GradientTable, RoundingErrorsAccumulate) {
    // Step 100 / 40 = 2.5 rounds to 2 (ties to even): the last entry is 80, not 100.
    auto t = BuildGradientTable(41, Rgb(0, 0, 0), Rgb(100, 0, 0));
    ASSERT_EQ(t.size(), 41u);
    EXPECT_EQ(t.front(), Rgb(0, 0, 0));
    EXPECT_EQ(t[1], Rgb(2, 0, 0));
    EXPECT_EQ(t.back(), Rgb(80, 0, 0));
    // Step 255 / 99 = 2.58 rounds to 3: the running value clamps at 255.
    auto up = BuildGradientTable(100, Rgb(0, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(up[84], Rgb(0, 0, 252));
    EXPECT_EQ(up[85], Rgb(0, 0, 255));
    EXPECT_EQ(up.back(), Rgb(0, 0, 255));
}

TEST(GradientTable, ChannelsStepIndependentlyAndDownwards) {
    auto t = BuildGradientTable(3, Rgb(200, 0, 10), Rgb(100, 50, 10));
    EXPECT_EQ(t, (std::vector<Color>{Rgb(200, 0, 10), Rgb(150, 25, 10), Rgb(100, 50, 10)}));
    EXPECT_EQ(BuildGradientTable(1, Rgb(5, 5, 5), Rgb(9, 9, 9)), std::vector<Color>{Rgb(5, 5, 5)});
    EXPECT_TRUE(BuildGradientTable(0, 0, 0).empty());
}

}  // namespace
}  // namespace cindral::button
