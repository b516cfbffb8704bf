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

TEST(TranslateColor, SystemColoursComeFromTheTableByTheNameTheLowByteNumbers) {
    // The table answers each name with a colour of its own (the number in
    // blue, a marker in red); the high byte it adds is no part of an RGB.
    struct Table : SystemColors {
        Color SystemColorRgb(SystemColor name) const override {
            return 0xFF000000u | Rgb(7, 0, static_cast<int>(name));
        }
    } table;
    struct Case {
        Color value;
        Color rgb;
    } cases[] = {
        {0x8000000F, Rgb(7, 0, 15)},  // button face
        {0x80000012, Rgb(7, 0, 18)},  // button text
        {0x80000000, Rgb(7, 0, 0)},   // scroll bar, the first
        {0x8000001E, Rgb(7, 0, 30)},  // menu bar, the last
        {0x80000019, 0},              // 25 names no colour
        {0x8000001F, 0},              // nor does anything past 30
        {0x800000FF, 0},
        {Rgb(9, 8, 7), Rgb(9, 8, 7)},  // RGB passes unchanged
        {0x00FFFFFF, 0x00FFFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateColor(c.value, table), c.rgb) << std::hex << c.value;
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
