// The server's scaling on a private Xvfb: every window pixel shows the same
// back-surface pixel as the whole-pixel stretch (column x * 320 / W, row
// y * 240 / H, rounded down), at odd window sizes, on 16-, 24- and 30-bit
// desktops, in a daemon's window of another visual, and on the stretch of
// this side that stands in where the server cannot scale. Only the window
// rows whose source rows changed are drawn again.

#include "platform/x11/render_presenter.h"

// The server helper brings GoogleTest, which must come before Xlib (whose
// None macro would break it).
// clang-format off
#include "test_server.h"
#include <X11/Xutil.h>
// clang-format on

#include <cstring>
#include <functional>

#include "display/memory_surface.h"
#include "platform/x11/hack_display.h"
#include "platform/x11/window_presenter.h"

namespace cindral::platform::x11 {
namespace {

// A colour for every source pixel that differs from its neighbours' in every
// depth: the low bits of the column in red, of the row in green.
std::uint32_t PatternRgb(int c, int r) {
    return (static_cast<std::uint32_t>((c * 8) & 0xF8) << 16) |
           (static_cast<std::uint32_t>((r * 4) & 0xFC) << 8) |
           static_cast<std::uint32_t>(((c / 32 + r / 64) * 8) & 0xF8);
}

void PaintPattern(display::Surface& back, const std::function<std::uint32_t(int, int)>& rgbOf) {
    display::LockedPixels px;
    ASSERT_TRUE(back.Lock(px));
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const std::uint32_t rgb = rgbOf(x, y);
            std::uint8_t* at = px.data + y * px.pitch;
            if (back.BitsPerPixel() == 32) {
                std::memcpy(at + x * 4, &rgb, 4);
            } else {  // 5-6-5: the pattern's colours have no lower bits to lose
                const auto v = static_cast<std::uint16_t>(
                    ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x1F));
                std::memcpy(at + x * 2, &v, 2);
            }
        }
    }
    back.Unlock();
}

class ServerScalingTest : public test_support::X11ServerTest {
  protected:
    // A mapped window of `depth` (the screen's default visual when that is
    // its depth) covering w x h at the top left.
    unsigned long MakeWindow(int w, int h, int depth, Visual** visual) {
        XVisualInfo info{};
        if (DefaultDepth(program_, 0) == depth) {
            info.visual = DefaultVisual(program_, 0);
        } else if (!XMatchVisualInfo(program_, 0, depth, TrueColor, &info)) {
            return 0;
        }
        *visual = info.visual;
        XSetWindowAttributes attr{};
        attr.colormap =
            XCreateColormap(program_, DefaultRootWindow(program_), info.visual, AllocNone);
        attr.border_pixel = 0;
        attr.background_pixel = 0;
        attr.override_redirect = True;
        const Window win = XCreateWindow(
            program_, DefaultRootWindow(program_), 0, 0, w, h, 0, depth, InputOutput, info.visual,
            CWColormap | CWBorderPixel | CWBackPixel | CWOverrideRedirect, &attr);
        XMapRaised(program_, win);
        XSync(program_, False);
        return win;
    }

    // Window pixels that do not show the whole-pixel stretch's source pixel,
    // compared by each channel's top bits (up to 8: a 10-bit channel holds
    // the 8-bit colour in its top bits); the first few are described.
    int Mismatches(unsigned long window, int w, int h, std::string& where) {
        XImage* img = XGetImage(onlooker_, window, 0, 0, w, h, AllPlanes, ZPixmap);
        if (!img) {
            where = "no image";
            return -1;
        }
        const auto top8 = [](unsigned long p, unsigned long mask) {
            int shift = 0, bits = 0;
            while (mask && !(mask & 1)) mask >>= 1, ++shift;
            for (unsigned long m = mask; m; m >>= 1) ++bits;
            const unsigned long v = (p >> shift) & mask;
            return static_cast<std::uint32_t>(bits > 8 ? v >> (bits - 8) : v << (8 - bits));
        };
        const auto keyOf = [&](unsigned long p) {
            return (top8(p, img->red_mask) << 16) | (top8(p, img->green_mask) << 8) |
                   top8(p, img->blue_mask);
        };
        // The pattern's colours keep only the bits a 5-6-5 pixel has.
        const int redBits = [m = img->red_mask]() mutable {
            int n = 0;
            for (; m; m >>= 1) n += m & 1;
            return n;
        }();
        const std::uint32_t keep = redBits == 5 ? 0xF8FCF8 : 0xFFFFFF;
        int bad = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int c = static_cast<int>(static_cast<long long>(x) * 320 / w);
                const int r = static_cast<int>(static_cast<long long>(y) * 240 / h);
                const std::uint32_t want = PatternRgb(c, r) & keep;
                const std::uint32_t got = keyOf(XGetPixel(img, x, y)) & keep;
                if (got != want && bad++ < 4) {
                    where += " (" + std::to_string(x) + "," + std::to_string(y) +
                             ") wants source (" + std::to_string(c) + "," + std::to_string(r) + ")";
                }
            }
        }
        XDestroyImage(img);
        return bad;
    }
};

TEST_F(ServerScalingTest, EveryWindowPixelShowsTheWholePixelStretchSource) {
    struct Case {
        int w, h, depth;
    };
    const Case cases[] = {
        {1366, 768, 24}, {1280, 1024, 24}, {1000, 700, 24}, {321, 241, 24},  {1920, 1080, 24},
        {1366, 768, 16}, {1000, 700, 16},  {321, 241, 16},  {1366, 768, 30}, {321, 241, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + "x" +
                     std::to_string(c.depth));
        ASSERT_TRUE(Start({{c.w, c.h}}, c.depth));
        Visual* visual = nullptr;
        const unsigned long win = MakeWindow(c.w, c.h, c.depth, &visual);
        ASSERT_NE(win, 0u);
        const int bpp = BackSurfaceBitsFor(visual, c.depth);
        ASSERT_NE(bpp, 0);
        auto p = CreateX11Presenter(program_, win, visual, c.depth, bpp, c.w, c.h, false);
        EXPECT_EQ(p->PathName(), "xrender");
        display::MemorySurface back(320, 240, bpp);
        PaintPattern(back, PatternRgb);
        display::LockedPixels px;
        back.Lock(px);
        EXPECT_TRUE(p->Present(px));
        XSync(program_, False);
        std::string where;
        EXPECT_EQ(Mismatches(win, c.w, c.h, where), 0) << where;
    }
}

TEST_F(ServerScalingTest, DaemonWindowOfAnotherVisualShowsTheStretch) {
    // Xvfb offers no 24-bit visual on a 30-bit screen: the 30-bit case is
    // the daemon's root window.
    struct Case {
        const char* what;
        int screenDepth, windowDepth;  // 0: the root window
        int w, h;
    };
    const Case cases[] = {
        {"a 32-bit window with alpha on a 24-bit desktop", 24, 32, 1000, 700},
        {"the root window of a 30-bit desktop", 30, 0, 1366, 768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool root = c.windowDepth == 0;
        ASSERT_TRUE(Start({{root ? c.w : c.w + 50, root ? c.h : c.h + 50}}, c.screenDepth));
        Visual* visual = nullptr;
        const unsigned long win =
            root ? DefaultRootWindow(program_) : MakeWindow(c.w, c.h, c.windowDepth, &visual);
        ASSERT_NE(win, 0u);
        setenv("DISPLAY", server_->Name().c_str(), 1);
        X11HackDisplay d;
        std::string error;
        ASSERT_TRUE(d.Open(root, static_cast<std::uint32_t>(win), error)) << error;
        ASSERT_TRUE(d.InitDisplay());
        EXPECT_EQ(d.RendererName(), "xrender");
        PaintPattern(d.BackSurface(), PatternRgb);
        d.PresentFrame();
        std::string where;
        EXPECT_EQ(Mismatches(win, c.w, c.h, where), 0) << where;
    }
}

TEST_F(ServerScalingTest, StretchOnThisSideShowsTheSameOn30BitWindows) {
    // Where the server cannot scale, the window-sized image is converted
    // from 0x00RRGGBB to 10 bits a channel here.
    ASSERT_TRUE(Start({{1000, 700}}, 30));
    Visual* visual = nullptr;
    const unsigned long win = MakeWindow(1000, 700, 30, &visual);
    ASSERT_EQ(BackSurfaceBitsFor(visual, 30), 32);
    X11WindowPresenter p(program_, win, visual, 30, 32, 1000, 700);
    display::MemorySurface back(320, 240, 32);
    PaintPattern(back, PatternRgb);
    display::LockedPixels px;
    back.Lock(px);
    EXPECT_TRUE(p.Present(px));
    XSync(program_, False);
    std::string where;
    EXPECT_EQ(Mismatches(win, 1000, 700, where), 0) << where;
    EXPECT_EQ(PixelAt(win, 0, 0), 0u);  // black stays black
}

TEST_F(ServerScalingTest, OnlyRowsShowingChangedSourceRowsAreDrawnAgain) {
    constexpr int W = 1000, H = 700;
    ASSERT_TRUE(Start({{W, H}}, 24));
    Visual* visual = nullptr;
    const unsigned long win = MakeWindow(W, H, 24, &visual);
    auto p = CreateX11Presenter(program_, win, visual, 24, 32, W, H, false);
    ASSERT_EQ(p->PathName(), "xrender");
    display::MemorySurface back(320, 240, 32);
    PaintPattern(back, [](int, int) { return 0x102030u; });
    display::LockedPixels px;
    back.Lock(px);
    ASSERT_TRUE(p->Present(px));
    XSync(program_, False);
    // Someone else paints the window white; nothing changed in the source.
    GC gc = XCreateGC(onlooker_, win, 0, nullptr);
    XSetForeground(onlooker_, gc, 0xFFFFFF);
    XFillRectangle(onlooker_, win, gc, 0, 0, W, H);
    XFreeGC(onlooker_, gc);
    XSync(onlooker_, False);
    EXPECT_FALSE(p->Present(px));

    // Source row 100 is shown by window rows 292..294 (ceil(100 * 700 / 240)
    // to ceil(101 * 700 / 240) - 1).
    PaintPattern(back, [](int, int r) { return r == 100 ? 0xFF0000u : 0x102030u; });
    EXPECT_TRUE(p->Present(px));
    XSync(program_, False);
    EXPECT_EQ(PixelAt(win, 500, 291), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(win, 0, 292), 0xFF0000u);
    EXPECT_EQ(PixelAt(win, W - 1, 294), 0xFF0000u);
    EXPECT_EQ(PixelAt(win, 500, 295), 0xFFFFFFu);

    // After an exposure everything is drawn again.
    p->Invalidate();
    EXPECT_TRUE(p->Present(px));
    XSync(program_, False);
    EXPECT_EQ(PixelAt(win, 0, 0), 0x102030u);
    EXPECT_EQ(PixelAt(win, W - 1, H - 1), 0x102030u);
}

}  // namespace
}  // namespace cindral::platform::x11
