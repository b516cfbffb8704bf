#include "platform/linux/saver/sdl_saver_display.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace cindral::platform::linux {
namespace {

class SdlDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("DISPLAY");  // no Xinerama heads: the dummy display is the only monitor
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(SdlDisplayTest, OneCaptionedWindowPerMonitorInTheDesktopFormat) {
    SdlSaverDisplay d;
    EXPECT_EQ(d.DisplayBitsPerPixel(), 0);
    ASSERT_TRUE(d.InitDisplay());
    EXPECT_EQ(d.DisplayBitsPerPixel(), 32);  // the dummy desktop is 24-bit RGB
    EXPECT_EQ(d.WindowCount(), static_cast<std::size_t>(SDL_GetNumVideoDisplays()));
    EXPECT_EQ(d.BackSurface().Width(), 320);
    EXPECT_EQ(d.BackSurface().Height(), 240);
    EXPECT_EQ(d.BackSurface().BitsPerPixel(), 32);
    SDL_Window* w = SDL_GetWindowFromID(1);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(w), "Cindral_Main");
    EXPECT_TRUE(SDL_GetWindowFlags(w) & SDL_WINDOW_HIDDEN);  // shown later by the load step
    d.ShowTopmost();
    EXPECT_FALSE(SDL_GetWindowFlags(w) & SDL_WINDOW_HIDDEN);
    d.Unload();
    EXPECT_EQ(d.WindowCount(), 0u);
    d.PresentFrame();  // after unloading: nothing to present, no crash
}

TEST_F(SdlDisplayTest, PresentStretchesTheWholeBackSurfaceOverTheWindow) {
    SdlSaverDisplay d;
    ASSERT_TRUE(d.InitDisplay());
    d.ShowTopmost();
    // Left half red, right half blue, bottom row green.
    display::LockedPixels px;
    ASSERT_TRUE(d.BackSurface().Lock(px));
    for (int y = 0; y < 240; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(px.data + y * px.pitch);
        for (int x = 0; x < 320; ++x) row[x] = y == 239 ? 0x00FF00 : x < 160 ? 0xFF0000 : 0x0000FF;
    }
    d.BackSurface().Unlock();
    d.PresentFrame();

    SDL_Window* w = SDL_GetWindowFromID(1);
    ASSERT_NE(w, nullptr);
    SDL_Surface* s = SDL_GetWindowSurface(w);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(SDL_LockSurface(s), 0);
    auto at = [&](int x, int y) {
        std::uint32_t v;
        std::memcpy(&v, static_cast<std::uint8_t*>(s->pixels) + y * s->pitch + x * 4, 4);
        std::uint8_t r, g, b;
        SDL_GetRGB(v, s->format, &r, &g, &b);
        return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
    };
    int W = s->w, H = s->h;
    EXPECT_EQ(at(0, 0), 0xFF0000u);
    EXPECT_EQ(at(W / 2 - 8, H / 2), 0xFF0000u);
    EXPECT_EQ(at(W / 2 + 8, H / 2), 0x0000FFu);
    EXPECT_EQ(at(W - 1, 0), 0x0000FFu);
    EXPECT_EQ(at(W / 4, H - 1), 0x00FF00u);  // the last source row reaches the bottom
    EXPECT_EQ(at(W / 4, H - 1 - H / 240 - 1), 0xFF0000u);
    SDL_UnlockSurface(s);
}

}  // namespace
}  // namespace cindral::platform::linux
