// The full-screen saver's windows on a private X server: one per monitor,
// captioned, asking for full screen before they are shown, the back surface
// stretched over them, and every row painted again after an exposure.

#include "platform/x11/saver_display.h"

// The server helper brings GoogleTest, which must come before Xlib (whose
// None macro would break it).
// clang-format off
#include "test_server.h"
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
// clang-format on

#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace cindral::platform::x11 {
namespace {

struct NoInput : saver::SaverInput {
    void KeyDown(saver::Key) override {}
    void MouseDown() override {}
    void EndSaver() override {}
};

class X11SaverDisplayTest : public test_support::X11ServerTest {
  protected:
    std::vector<unsigned long> Property(unsigned long w, const char* name) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<unsigned long> values;
        if (XGetWindowProperty(onlooker_, w, XInternAtom(onlooker_, name, False), 0, 64, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            data) {
            if (format == 32) {
                auto* longs = reinterpret_cast<unsigned long*>(data);
                values.assign(longs, longs + count);
            }
            XFree(data);
        }
        return values;
    }
    std::string Text(unsigned long w, const char* name, const char* type) {
        Atom got = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string text;
        if (XGetWindowProperty(onlooker_, w, XInternAtom(onlooker_, name, False), 0, 64, False,
                               XInternAtom(onlooker_, type, False), &got, &format, &count, &after,
                               &data) == Success &&
            data) {
            text.assign(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        return text;
    }
    bool Has(const std::vector<unsigned long>& atoms, const char* name) {
        const Atom a = XInternAtom(onlooker_, name, False);
        return std::find(atoms.begin(), atoms.end(), a) != atoms.end();
    }
    // Whether the pointer's cursor, where it is now, shows any pixel.
    bool CursorShows() {
        XFixesCursorImage* img = XFixesGetCursorImage(onlooker_);
        if (!img) return false;
        bool shows = false;
        for (int i = 0; i < img->width * img->height; ++i) shows = shows || (img->pixels[i] >> 24);
        XFree(img);
        return shows;
    }
    int MapState(unsigned long w) {
        XWindowAttributes attr{};
        return XGetWindowAttributes(onlooker_, w, &attr) ? attr.map_state : -1;
    }
    // Left half red, right half blue, the last row green.
    static void PaintBars(display::Surface& back) {
        display::LockedPixels px;
        ASSERT_TRUE(back.Lock(px));
        const bool wide = back.BitsPerPixel() == 32;
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const std::uint32_t rgb = y == 239 ? 0x00FF00 : x < 160 ? 0xFF0000 : 0x0000FF;
                std::uint8_t* at = px.data + y * px.pitch + x * (wide ? 4 : 2);
                if (wide) {
                    std::memcpy(at, &rgb, 4);
                } else {
                    const std::uint16_t v = static_cast<std::uint16_t>(
                        ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x1F));
                    std::memcpy(at, &v, 2);
                }
            }
        }
        back.Unlock();
    }
};

TEST_F(X11SaverDisplayTest, OneCaptionedFullScreenWindowPerMonitorShownOnlyWhenAsked) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> screens;
        int depth, bpp;
        std::vector<XRectangle> windows;  // x, y, width, height
    };
    const Case cases[] = {
        {"one screen", {{640, 480}}, 24, 32, {{0, 0, 640, 480}}},
        {"a 16-bit desktop", {{800, 600}}, 16, 16, {{0, 0, 800, 600}}},
        // 5-5-5: drawn in 32 bits, converted when presented.
        {"a 15-bit desktop", {{800, 600}}, 15, 32, {{0, 0, 800, 600}}},
        // 10-10-10: drawn in 32 bits, widened by the server.
        {"a 30-bit desktop", {{800, 600}}, 30, 32, {{0, 0, 800, 600}}},
        {"two Xinerama heads",
         {{640, 480}, {800, 600}},
         24,
         32,
         {{0, 0, 640, 480}, {640, 0, 800, 600}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Start(c.screens, c.depth));
        X11SaverDisplay d(program_);
        EXPECT_EQ(d.DisplayBitsPerPixel(), 0);
        ASSERT_TRUE(d.InitDisplay()) << d.Failure();
        EXPECT_EQ(d.DisplayBitsPerPixel(), c.bpp);
        EXPECT_EQ(d.BackSurface().Width(), 320);
        EXPECT_EQ(d.BackSurface().Height(), 240);
        EXPECT_EQ(d.BackSurface().BitsPerPixel(), c.bpp);
        // The server has RENDER and shares memory with this machine.
        EXPECT_EQ(d.RendererName(), "xrender");
        const std::vector<unsigned long> windows = d.Windows();
        ASSERT_EQ(windows.size(), c.windows.size());
        EXPECT_EQ(d.Handle(), windows.front());
        XSync(program_, False);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const unsigned long w = windows[i];
            Window root = 0, child = 0;
            int x = 0, y = 0;
            unsigned width = 0, height = 0, border = 0, depth = 0;
            ASSERT_TRUE(
                XGetGeometry(onlooker_, w, &root, &x, &y, &width, &height, &border, &depth));
            XTranslateCoordinates(onlooker_, w, root, 0, 0, &x, &y, &child);
            EXPECT_EQ(x, c.windows[i].x);
            EXPECT_EQ(y, c.windows[i].y);
            EXPECT_EQ(width, c.windows[i].width);
            EXPECT_EQ(height, c.windows[i].height);
            EXPECT_EQ(Text(w, "WM_NAME", "STRING"), "Cindral_Main");
            EXPECT_EQ(Text(w, "_NET_WM_NAME", "UTF8_STRING"), "Cindral_Main");
            const auto states = Property(w, "_NET_WM_STATE");
            EXPECT_TRUE(Has(states, "_NET_WM_STATE_FULLSCREEN"));
            EXPECT_TRUE(Has(states, "_NET_WM_STATE_ABOVE"));
            EXPECT_TRUE(Has(Property(w, "WM_PROTOCOLS"), "WM_DELETE_WINDOW"));
            EXPECT_EQ(Text(w, "WM_CLASS", "STRING"), std::string("cindral\0Cindral\0", 16));
            EXPECT_EQ(Property(w, "_NET_WM_PID"),
                      std::vector<unsigned long>{static_cast<unsigned long>(getpid())});
            EXPECT_EQ(Property(w, "_NET_WM_BYPASS_COMPOSITOR"), std::vector<unsigned long>{1});
            const auto motif = Property(w, "_MOTIF_WM_HINTS");
            ASSERT_GE(motif.size(), 3u);
            EXPECT_TRUE(motif[0] & 2);  // decorations given ...
            EXPECT_EQ(motif[2], 0u);    // ... and none
            EXPECT_EQ(MapState(w), IsUnmapped);
        }
        d.ShowTopmost();
        XSync(program_, False);
        for (unsigned long w : windows) {
            EXPECT_EQ(MapState(w), IsViewable);
            EXPECT_EQ(PixelAt(w, 10, 10), 0u);  // black until the first frame
        }
        d.Unload();
        XSync(program_, False);
        EXPECT_EQ(d.WindowCount(), 0u);
        for (unsigned long w : windows) EXPECT_EQ(MapState(w), -1);  // gone
        d.PresentFrame();  // nothing to present: no request for a gone window
    }
}

TEST_F(X11SaverDisplayTest, ThePointerIsInvisibleOverTheWindowsWhileTheCoreHidesIt) {
    struct Case {
        const char* what;
        bool hideBeforeOpening;   // as the start-up step does
        std::vector<bool> later;  // visibility changes once the windows are shown
        bool shows;
    };
    const Case cases[] = {
        {"never hidden", false, {}, true},
        {"hidden before the windows open", true, {}, false},
        {"hidden once they are shown", false, {false}, false},
        {"hidden, then shown again", true, {true}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Start({{640, 480}}, 24));
        X11SaverDisplay d(program_);
        if (c.hideBeforeOpening) d.ShowCursor(false);
        ASSERT_TRUE(d.InitDisplay()) << d.Failure();
        d.ShowTopmost();
        for (bool visible : c.later) d.ShowCursor(visible);
        XSync(program_, False);
        XWarpPointer(onlooker_, 0, DefaultRootWindow(onlooker_), 0, 0, 0, 0, 320, 240);
        XSync(onlooker_, False);
        EXPECT_EQ(CursorShows(), c.shows);
    }
    // The same look sees the server's own cursor without the saver.
    ASSERT_TRUE(Start({{640, 480}}, 24));
    EXPECT_TRUE(CursorShows());
}

TEST_F(X11SaverDisplayTest, ADesktopOfFewerThanFifteenBitsOpensNoWindowAndSaysWhy) {
    ASSERT_TRUE(Start({{640, 480}}, 8));
    X11SaverDisplay d(program_);
    EXPECT_FALSE(d.InitDisplay());
    EXPECT_EQ(d.WindowCount(), 0u);
    EXPECT_NE(d.Failure().find("8 bits per pixel"), std::string::npos) << d.Failure();
}

TEST_F(X11SaverDisplayTest, EachFrameIsStretchedOverEveryWindowAndAnExposureRepaintsEveryRow) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> screens;
        int depth;
    };
    const Case cases[] = {
        {"24-bit, 3 x 2.5", {{960, 600}}, 24},
        {"16-bit, 2 x 2", {{640, 480}}, 16},
        {"15-bit, 2 x 2", {{640, 480}}, 15},
        {"two heads", {{640, 480}, {320, 240}}, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Start(c.screens, c.depth));
        X11SaverDisplay d(program_);
        ASSERT_TRUE(d.InitDisplay()) << d.Failure();
        d.ShowTopmost();
        PaintBars(d.BackSurface());
        d.PresentFrame();
        // Destination (x, y) shows source (x * 320 / W, y * 240 / H).
        const auto check = [&](const char* when) {
            SCOPED_TRACE(when);
            const auto windows = d.Windows();
            for (std::size_t i = 0; i < windows.size(); ++i) {
                const int W = c.screens[i].first, H = c.screens[i].second;
                const int lastSourceRowStarts = (239 * H + 239) / 240;  // first y showing row 239
                for (int y : {0, H / 2, lastSourceRowStarts - 1}) {
                    EXPECT_EQ(PixelAt(windows[i], 0, y), 0xFF0000u) << y;
                    EXPECT_EQ(PixelAt(windows[i], W / 2 - 1, y), 0xFF0000u) << y;
                    EXPECT_EQ(PixelAt(windows[i], W / 2, y), 0x0000FFu) << y;
                    EXPECT_EQ(PixelAt(windows[i], W - 1, y), 0x0000FFu) << y;
                }
                EXPECT_EQ(PixelAt(windows[i], W / 4, lastSourceRowStarts), 0x00FF00u);
                EXPECT_EQ(PixelAt(windows[i], W - 1, H - 1), 0x00FF00u);
            }
        };
        check("first frame");
        // Another client clears the windows to their black background: the
        // server tells the saver they were exposed, and the next frame, with
        // the same back surface, must put every row again.
        for (unsigned long w : d.Windows()) XClearArea(onlooker_, w, 0, 0, 0, 0, True);
        XSync(onlooker_, False);
        EXPECT_EQ(PixelAt(d.Windows().front(), 0, 0), 0u);
        NoInput input;
        d.ServeEvents(input);
        d.PresentFrame();
        check("after the exposure");
    }
}

}  // namespace
}  // namespace cindral::platform::x11
