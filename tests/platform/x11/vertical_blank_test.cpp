// Presentation at the vertical blank: chosen only where RandR shows a CRTC
// with a refresh rate (Xorg's dummy driver, which Present drives from a
// 60 Hz timer; not Xvfb), one frame on its way at a time, the picture the
// same as the server's scaling straight into the window.

#include "platform/x11/vertical_blank.h"

// The server helper brings GoogleTest, which must come before Xlib (whose
// None macro would break it).
// clang-format off
#include "test_server.h"
#include <X11/Xutil.h>
// clang-format on

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>

#include "display/memory_surface.h"
#include "platform/x11/presenter.h"

namespace cindral::platform::x11 {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Xorg with the dummy driver: RandR reports its one CRTC at 59.94 Hz.
std::optional<e2e::XServer> DummyXorg(const fs::path& dir) {
    if (!e2e::DummyXorgAvailable()) return std::nullopt;
    auto xorg = e2e::XServer::DummyXorg(dir, 1);
    if (!xorg) ADD_FAILURE() << "Xorg did not start; see " << (dir / "xorg.log");
    return xorg;
}

TEST(ModeRefreshHz, IsTheDotClockOverTheTotalPixels) {
    EXPECT_NEAR(ModeRefreshHz(25175000, 800, 525), 59.94, 0.01);
    EXPECT_NEAR(ModeRefreshHz(148500000, 2200, 1125), 60.0, 0.001);
    EXPECT_EQ(ModeRefreshHz(0, 800, 525), 0);  // a mode without timings
    EXPECT_EQ(ModeRefreshHz(25175000, 0, 525), 0);
}

TEST(PresentsAtVerticalBlank, OnlyWhereRandrShowsACrtcWithARefreshRate) {
    auto xvfb = e2e::XServer::Xvfb(640, 480, 24);
    ASSERT_TRUE(xvfb);
    ::Display* d = XOpenDisplay(xvfb->Name().c_str());
    ASSERT_TRUE(d);
    int opcode = 0, event = 0, error = 0;
    EXPECT_TRUE(XQueryExtension(d, "Present", &opcode, &event, &error));  // it has Present
    EXPECT_EQ(CrtcRefreshHz(d), 0);                                       // but no display
    EXPECT_FALSE(PresentsAtVerticalBlank(d));
    XCloseDisplay(d);

    const fs::path dir = fs::temp_directory_path() / ("cindral-vblank-" + std::to_string(getpid()));
    auto xorg = DummyXorg(dir);
    if (!xorg) GTEST_SKIP() << "needs root and the dummy video driver";
    d = XOpenDisplay(xorg->Name().c_str());
    ASSERT_TRUE(d);
    EXPECT_NEAR(CrtcRefreshHz(d), 59.94, 0.01);
    EXPECT_TRUE(PresentsAtVerticalBlank(d));
    XCloseDisplay(d);
    xorg.reset();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

class SynchronisedPresentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("cindral-present-" + std::to_string(getpid()));
        if (auto x = DummyXorg(dir_)) xorg_.emplace(std::move(*x));
        if (!xorg_) GTEST_SKIP() << "needs root and the dummy video driver";
        d_ = XOpenDisplay(xorg_->Name().c_str());
        ASSERT_TRUE(d_);
    }
    void TearDown() override {
        if (d_) XCloseDisplay(d_);
        xorg_.reset();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    // Hands Present's events to `p` for up to `ms`; true once `p` took one.
    bool Serve(X11Presenter& p, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        bool took = false;
        while (!took && std::chrono::steady_clock::now() < end) {
            while (XPending(d_)) {
                XEvent e;
                XNextEvent(d_, &e);
                if (e.type == GenericEvent && XGetEventData(d_, &e.xcookie)) {
                    took = p.HandleEvent(&e) || took;
                    XFreeEventData(d_, &e.xcookie);
                }
            }
            usleep(1000);
        }
        return took;
    }
    fs::path dir_;
    std::optional<e2e::XServer> xorg_;
    ::Display* d_ = nullptr;
};

TEST_F(SynchronisedPresentTest, OneFrameOnItsWayAtATimeShowingTheStretch) {
    constexpr int W = 640, H = 480;
    XSetWindowAttributes attr{};
    attr.override_redirect = True;
    attr.background_pixel = 0;
    const Window win = XCreateWindow(d_, DefaultRootWindow(d_), 0, 0, W, H, 0, 24, InputOutput,
                                     DefaultVisual(d_, 0), CWOverrideRedirect | CWBackPixel, &attr);
    XMapRaised(d_, win);
    XSync(d_, False);
    auto p = CreateX11Presenter(d_, win, DefaultVisual(d_, 0), 24, 32, W, H, true);
    ASSERT_EQ(p->PathName(), "xrender");
    ASSERT_TRUE(p->Vsync());

    display::MemorySurface back(320, 240, 32);
    const auto paint = [&](std::uint32_t base) {
        display::LockedPixels px;
        back.Lock(px);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const std::uint32_t rgb = base ^ ((x & 0xFF) << 16) ^ ((y & 0xFF) << 8);
                std::memcpy(px.data + y * px.pitch + x * 4, &rgb, 4);
            }
        }
        return px;
    };
    EXPECT_FALSE(p->PresentPending());
    auto px = paint(0);
    EXPECT_TRUE(p->Present(px));
    XSync(d_, False);
    // Before the vertical blank has shown it, a new frame is dropped, and the
    // frame loop is told to wait.
    EXPECT_TRUE(p->PresentPending());
    px = paint(0x00000F);
    EXPECT_FALSE(p->Present(px));
    // Once it completed (at the dummy's 60 Hz), the next frame goes.
    const auto start = std::chrono::steady_clock::now();
    while (p->PresentPending() && std::chrono::steady_clock::now() - start < 500ms) Serve(*p, 20);
    EXPECT_FALSE(p->PresentPending());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
    EXPECT_TRUE(p->Present(px));
    Serve(*p, 200);  // the second frame reaches the window
    XSync(d_, False);

    XImage* img = XGetImage(d_, win, 0, 0, W, H, AllPlanes, ZPixmap);
    ASSERT_TRUE(img);
    int bad = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::uint32_t want =
                0x00000Fu ^ (((x * 320 / W) & 0xFF) << 16) ^ (((y * 240 / H) & 0xFF) << 8);
            bad += (XGetPixel(img, x, y) & 0xFFFFFF) != want;
        }
    }
    XDestroyImage(img);
    EXPECT_EQ(bad, 0);
}

}  // namespace
}  // namespace cindral::platform::x11
