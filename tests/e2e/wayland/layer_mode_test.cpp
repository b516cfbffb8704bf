// Layer mode (cindral --layer, or started by a locker on WAYLAND_SOCKET): fire
// on the background layer, under the windows, with no input taken; ended by
// SIGTERM.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

// Lit fraction of the rectangle [x0, x1) x [y0, y1).
double LitIn(const Picture& p, int x0, int y0, int x1, int y1) {
    long lit = 0, all = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            lit += p.R(x, y) + p.G(x, y) + p.B(x, y) > 0;
            ++all;
        }
    }
    return all ? static_cast<double>(lit) / all : 0;
}

// A floating window (a small blue one, centred) stays on top of the fire; keys
// and clicks on the fire do not end it; SIGTERM does, with status 0.
TEST(LayerMode, DrawsUnderAWindowIgnoresInputEndsOnSigterm) {
    auto sway = Compositor::Sway({{1280, 720}});
    ASSERT_TRUE(sway);
    sway->SwayMsg({"for_window [app_id=\".*\"] floating enable"});
    Child window = Spawn({BinDir() + "/cindral-test-window-wayland"}, sway->ClientEnv());
    Child saver = StartCindral(*sway, {"--layer", "--fire-kind", "3"});
    Picture p;
    auto both = [](const Picture& p) {
        return !p.rgb.empty() && LitIn(p, 0, 360, 300, 720) > 0.3 &&
               !FireColoursOnly(p, 0, p.width);
    };
    for (int i = 0; i < 100 && !both(p); ++i) {
        std::this_thread::sleep_for(100ms);
        p = sway->Grab("HEADLESS-1");
    }
    ASSERT_FALSE(p.rgb.empty());
    EXPECT_GT(LitIn(p, 0, 360, 300, 720), 0.3) << "no fire beside the window";
    EXPECT_FALSE(FireColoursOnly(p, 0, p.width)) << "the window is not drawn over the fire";

    Child key = Spawn({"wtype", "-s", "200", "-k", "Escape"}, sway->ClientEnv());
    MsUntilExit(key.pid, 5000);
    Child click = Spawn({BinDir() + "/cindral-test-pointer", "50", "650", "1280", "720", "click"},
                        sway->ClientEnv());
    MsUntilExit(click.pid, 5000);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(StillRunning(saver.pid))
        << "input ended layer mode: " << ReadAll(saver.stderrFd, 100);

    kill(saver.pid, SIGTERM);
    int status = -1;
    const auto ms = MsUntilExit(saver.pid, 3000, &status);
    ASSERT_TRUE(ms);
    std::printf("SIGTERM ended layer mode in %.0f ms\n", *ms);
    EXPECT_LT(*ms, kEndLimitMs);
    EXPECT_EQ(status, 0);
    kill(window.pid, SIGTERM);
    MsUntilExit(window.pid, 2000);
}

// Under a locker that names an output, only that output gets fire.
TEST(LayerMode, OnlyTheOutputTheLockerNames) {
    auto sway = Compositor::Sway({{800, 600}, {800, 600}});
    ASSERT_TRUE(sway);
    Child saver = StartCindral(*sway, {"--layer"}, {{"SWAYLOCK_PLUGIN_OUTPUT_NAME", "HEADLESS-2"}});
    ExpectMovingFireOn(*sway, "HEADLESS-2");
    const Picture other = sway->Grab("HEADLESS-1");
    ASSERT_FALSE(other.rgb.empty());
    EXPECT_FALSE(ShowsFire(other)) << "fire on the output not named";
    kill(saver.pid, SIGTERM);
    EXPECT_TRUE(MsUntilExit(saver.pid, 3000));
}

// An output name that no output has is an error, said on standard error.
TEST(LayerMode, AnUnknownOutputIsAnError) {
    auto sway = Compositor::Sway({{800, 600}});
    ASSERT_TRUE(sway);
    Child saver = StartCindral(*sway, {"--layer"}, {{"SWAYLOCK_PLUGIN_OUTPUT_NAME", "DP-9"}});
    int status = -1;
    ASSERT_TRUE(MsUntilExit(saver.pid, 5000, &status));
    EXPECT_EQ(status, 1);
    EXPECT_NE(ReadAll(saver.stderrFd, 500).find("no output named \"DP-9\""), std::string::npos);
}

}  // namespace
}  // namespace cindral::e2e
