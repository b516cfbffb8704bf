#include "platform/wayland/saver_display.h"

#include <gtest/gtest.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>

#include "fake_compositor.h"
#include "platform/wayland/event_pump.h"
#include "wayland_support.h"

namespace cindral::platform::wayland {
namespace {

using e2e::Compositor;

class NoInput final : public saver::SaverInput {
  public:
    void KeyDown(saver::Key) override {}
    void MouseDown() override {}
    void EndSaver() override { ended = true; }
    bool ended = false;
};

struct ShellCase {
    const char* name;
    SurfaceOptions options;
    const char* renderer;
};

class WaylandSaverDisplayOnSway : public ::testing::TestWithParam<ShellCase> {};

// Each way of showing the frame (layer shell or xdg toplevel, scaled by the
// viewporter or stretched by whole pixels) covers the output: a back surface
// red in its left half and blue in its right shows red up to column 959 and
// blue from 960 at 1920 x 1080, in every row.
TEST_P(WaylandSaverDisplayOnSway, SplitFrameLandsAtTheMiddleColumn) {
    auto sway = Compositor::Sway({{1920, 1080}});
    ASSERT_TRUE(sway);
    for (const auto& [k, v] : sway->ClientEnv()) setenv(k.c_str(), v.c_str(), 1);
    WaylandSaverDisplay display(GetParam().options);
    ASSERT_TRUE(display.InitDisplay()) << display.Failure();
    EXPECT_EQ(display.RendererName(), GetParam().renderer);
    EXPECT_EQ(display.DisplayBitsPerPixel(), 32);
    display::LockedPixels px;
    ASSERT_TRUE(display.BackSurface().Lock(px));
    for (int y = 0; y < display::kBackHeight; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(px.data + y * px.pitch);
        for (int x = 0; x < display::kBackWidth; ++x) row[x] = x < 160 ? 0xFF0000 : 0x0000FF;
    }
    display.BackSurface().Unlock();
    WaylandEventPump pump(display);
    NoInput input;
    // Frames as the loop would give them, each once the compositor wants one.
    for (int i = 0; i < 20; ++i) {
        pump.WaitAndDispatch(0, input);
        display.PresentFrame();
        pump.WaitAndDispatch(20, input);
    }
    ASSERT_FALSE(input.ended);
    const e2e::Picture p = sway->Grab("HEADLESS-1");
    ASSERT_EQ(p.width, 1920);
    int wrong = 0;
    for (int y = 0; y < p.height; y += 7) {
        for (int x : {0, 959, 960, 1919}) {
            const bool red = x < 960;
            wrong += p.R(x, y) != (red ? 255 : 0) || p.B(x, y) != (red ? 0 : 255);
        }
    }
    EXPECT_EQ(wrong, 0) << GetParam().name;
    display.Unload();
}

SurfaceOptions Options(bool layerShell, bool viewporter) {
    SurfaceOptions o;
    o.useLayerShell = layerShell;
    o.useViewporter = viewporter;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Shells, WaylandSaverDisplayOnSway,
    ::testing::Values(ShellCase{"LayerViewporter", Options(true, true), "layer-shell+viewporter"},
                      ShellCase{"LayerStretch", Options(true, false), "layer-shell+stretch"},
                      ShellCase{"XdgViewporter", Options(false, true), "xdg-shell+viewporter"},
                      ShellCase{"XdgStretch", Options(false, false), "xdg-shell+stretch"}),
    [](const auto& info) { return std::string(info.param.name); });

// The sizes of the display's surfaces, once it has `n` of them (events
// served as the pump would), or whatever it has after two seconds.
std::multiset<int> WidthsOnceThereAre(WaylandSaverDisplay& display, std::size_t n) {
    WaylandEventPump pump(display);
    NoInput input;
    for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
         display.SurfaceCount() != n && std::chrono::steady_clock::now() < end;) {
        pump.WaitAndDispatch(20, input);
    }
    wl_display_roundtrip(display.Connection());
    EXPECT_FALSE(input.ended) << "an output coming or going ended the saver";
    std::multiset<int> widths;
    for (const auto& s : display.Surfaces()) widths.insert(s->Width());
    return widths;
}

// An output that goes takes its surface with it (the surface is destroyed,
// the others stay), and one that comes gets a surface at its size: the
// saver's own compositor-independent bookkeeping, on a fake compositor since
// no headless compositor here can remove an output.
TEST(WaylandSaverDisplayOutputs, SurfacesFollowOutputsThatComeAndGo) {
    char dir[] = "/tmp/cindral-fake-wl-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    {
        FakeCompositor fake(dir, "fake-0");
        ASSERT_TRUE(fake.Listening());
        fake.AddOutput(640, 480);
        const int second = fake.AddOutput(1024, 768);
        setenv("WAYLAND_DISPLAY", "fake-0", 1);
        unsetenv("WAYLAND_SOCKET");
        SurfaceOptions xdg;
        xdg.useLayerShell = false;
        WaylandSaverDisplay display(xdg);
        ASSERT_TRUE(display.InitDisplay()) << display.Failure();
        EXPECT_EQ(WidthsOnceThereAre(display, 2), (std::multiset<int>{640, 1024}));
        EXPECT_EQ(fake.LiveSurfaces(), 2);

        fake.RemoveOutput(second);
        EXPECT_EQ(WidthsOnceThereAre(display, 1), (std::multiset<int>{640}));
        EXPECT_EQ(fake.LiveSurfaces(), 1) << "the gone output's surface was not destroyed";

        fake.AddOutput(800, 600);
        EXPECT_EQ(WidthsOnceThereAre(display, 2), (std::multiset<int>{640, 800}));
        EXPECT_EQ(fake.LiveSurfaces(), 2);
        display.Unload();
        wl_display_roundtrip(display.Connection());
        EXPECT_EQ(fake.LiveSurfaces(), 0);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace cindral::platform::wayland
