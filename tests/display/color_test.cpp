// 5-6-5 conversion and the built-in fire palette.

#include <gtest/gtest.h>

#include "display/color565.h"
#include "display/fire_palette.h"

namespace cindral::display {
namespace {

TEST(ColorTo565, KeepsTheTopBitsOfEachComponent) {
    EXPECT_EQ(ColorTo565(0xFF0000), 0xF800u);
    EXPECT_EQ(ColorTo565(0x00FF00), 0x07E0u);
    EXPECT_EQ(ColorTo565(0x0000FF), 0x001Fu);
    EXPECT_EQ(ColorTo565(0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(ColorTo565(0x070307), 0u);  // below every component's lowest kept bit
    EXPECT_EQ(ColorTo565(0x080408), 0x0821u);
    EXPECT_EQ(ColorTo565(0xFF8100), 0xFC00u);
}

TEST(PaletteTo565, ConvertsEveryEntryInPlace) {
    Palette pal;
    MakeFirePalette(pal);
    PaletteTo565(pal);
    EXPECT_EQ(pal[0], 0u);
    EXPECT_EQ(pal[63], 0xF800u);   // 0xFF0000
    EXPECT_EQ(pal[77], 0xFC00u);   // 0xFF8100
    EXPECT_EQ(pal[127], 0xFFE0u);  // 0xFFFF00
    EXPECT_EQ(pal[255], 0xFFFFu);
    for (const auto v : pal) EXPECT_LE(v, 0xFFFFu);
}

TEST(MakeFirePalette, BlackRedYellowWhite) {
    Palette pal{};
    pal.fill(0xDEADBEEF);
    MakeFirePalette(pal);
    EXPECT_EQ(pal[0], 0x000000u);
    EXPECT_EQ(pal[5], 0x010000u);
    EXPECT_EQ(pal[16], 0x0A0000u);
    EXPECT_EQ(pal[63], 0xFF0000u);
    EXPECT_EQ(pal[65], 0xFF2A00u);
    EXPECT_EQ(pal[77], 0xFF8100u);
    EXPECT_EQ(pal[127], 0xFFFF00u);
    EXPECT_EQ(pal[129], 0xFFFF59u);
    EXPECT_EQ(pal[223], 0xFFFFFEu);
    // Red ramp, then green, then blue: each component never falls.
    for (int i = 1; i < 256; ++i) {
        for (const int shift : {16, 8, 0}) {
            EXPECT_GE((pal[i] >> shift) & 0xFF, (pal[i - 1] >> shift) & 0xFF) << i;
        }
        if (i <= 63) {
            EXPECT_EQ(pal[i] & 0xFFFF, 0u) << i;
        }
        if (i >= 64 && i <= 127) {
            EXPECT_EQ(pal[i] & 0xFF, 0u) << i;
        }
        if (i >= 224) {
            EXPECT_EQ(pal[i], 0xFFFFFFu) << i;
        }
    }
}

}  // namespace
}  // namespace cindral::display
