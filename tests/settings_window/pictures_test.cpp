#include "settings_window/pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace cindral::settings_window {
namespace {

int R(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
int G(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
int B(std::uint32_t p) { return static_cast<int>(p & 0xFF); }
int A(std::uint32_t p) { return static_cast<int>(p >> 24); }

TEST(SettingsPictures, PreviewsAreEightDifferentBurningFires) {
    const std::array<Image, 8> previews = FirePreviews();
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        const Image& p = previews[k];
        ASSERT_EQ(p.width, 80);
        ASSERT_EQ(p.height, 60);
        ASSERT_EQ(p.pixels.size(), 80u * 60u);
        // Flames: bright pixels that are red or yellow, never blue; black around.
        int flame = 0, dark = 0, bluish = 0;
        for (std::uint32_t px : p.pixels) {
            EXPECT_EQ(A(px), 255);
            if (R(px) > 128 && R(px) >= G(px) && G(px) >= B(px)) ++flame;
            if (R(px) + G(px) + B(px) < 30) ++dark;
            if (B(px) > R(px) + 10) ++bluish;
        }
        EXPECT_GT(flame, 80) << "no fire";
        EXPECT_GT(dark, 80) << "no black around the flames";
        EXPECT_EQ(bluish, 0);
        // The same picture at every start.
        EXPECT_EQ(FirePreview(static_cast<std::int16_t>(k)).pixels, p.pixels);
        for (int other = 0; other < k; ++other)
            EXPECT_NE(previews[other].pixels, p.pixels) << other;
    }
}

TEST(SettingsPictures, MarkersAreEmptyOrRedCentred) {
    const Image off = MarkerOff(), on = MarkerOn();
    for (const Image* m : {&off, &on}) {
        ASSERT_EQ(m->width, 13);
        ASSERT_EQ(m->height, 13);
        // Corners show the panel's light grey.
        for (std::uint32_t corner : {m->At(0, 0), m->At(12, 0), m->At(0, 12), m->At(12, 12)}) {
            EXPECT_NEAR(R(corner), 197, 12);
            EXPECT_NEAR(B(corner), 193, 12);
        }
    }
    const std::uint32_t centreOff = off.At(6, 6), centreOn = on.At(6, 6);
    EXPECT_GT(R(centreOff), 240);
    EXPECT_GT(G(centreOff), 240);
    EXPECT_GT(B(centreOff), 240);
    EXPECT_GT(R(centreOn), 180);
    EXPECT_LT(G(centreOn), 60);
    EXPECT_LT(B(centreOn), 60);
    // Apart from the centre the two are the same marker.
    EXPECT_EQ(off.At(6, 0), on.At(6, 0));
    EXPECT_EQ(off.At(0, 6), on.At(0, 6));
    int redOff = 0;
    for (std::uint32_t px : off.pixels) redOff += R(px) > G(px) + 60;
    EXPECT_EQ(redOff, 0);
}

TEST(SettingsPictures, TextureIsLightGreyWithHorizontalStreaks) {
    const Image t = TextureTile();
    ASSERT_EQ(t.width, 560);
    ASSERT_EQ(t.height, 20);
    double sum[3] = {0, 0, 0};
    double alongRows = 0, acrossRows = 0;
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) {
            const std::uint32_t p = t.At(x, y);
            sum[0] += R(p);
            sum[1] += G(p);
            sum[2] += B(p);
            EXPECT_GT(R(p), 160);
            EXPECT_LT(std::abs(R(p) - B(p)), 10);  // grey, not coloured
            if (x + 1 < t.width) alongRows += std::abs(G(p) - G(t.At(x + 1, y)));
            if (y + 1 < t.height) acrossRows += std::abs(G(p) - G(t.At(x, y + 1)));
        }
    }
    const double n = 560.0 * 20.0;
    EXPECT_NEAR(sum[0] / n, 197, 1.5);
    EXPECT_NEAR(sum[1] / n, 194, 1.5);
    EXPECT_NEAR(sum[2] / n, 193, 1.5);
    EXPECT_EQ(kTextureShade, (Rgb{197, 194, 193}));
    // Streaks: neighbours along a row differ much less than rows do.
    alongRows /= 559.0 * 20.0;
    acrossRows /= 560.0 * 19.0;
    EXPECT_LT(alongRows * 2, acrossRows);
}

TEST(SettingsPictures, IconIsAFlame) {
    const Image icon = WindowIcon();
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    EXPECT_EQ(A(icon.At(0, 0)), 0);  // rounded corners are transparent
    EXPECT_EQ(A(icon.At(16, 16)), 255);
    int yellow = 0, red = 0;
    for (std::uint32_t px : icon.pixels) {
        if (A(px) == 0) continue;
        if (R(px) > 220 && G(px) > 150) ++yellow;
        if (R(px) > 180 && G(px) < 100) ++red;
    }
    EXPECT_GT(yellow, 10);
    EXPECT_GT(red, 10);
}

}  // namespace
}  // namespace cindral::settings_window
