// Two monitors side by side: Xorg with two dummy-driver screens joined by
// Xinerama (a virtual frame buffer's Xinerama has a single head).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "e2e_support.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

TEST(TwoMonitors, EachShowsTheWholeFireAndInputOnEitherEndsIt) {
    if (!DummyXorgAvailable()) {
        GTEST_SKIP() << "needs root and the dummy video driver";
    }
    auto dir =
        std::filesystem::temp_directory_path() / ("cindral-twin-" + std::to_string(getpid()));
    auto x = XServer::DummyXorg(dir, 2);
    ASSERT_TRUE(x) << "Xorg did not start; see " << (dir / "xorg.log");
    Env env = x->ClientEnv();
    env["XDG_CONFIG_HOME"] = dir.string();

    // Clicks on the right and the left monitor, then a key with the pointer on
    // the right one.
    struct Input {
        int x;
        const char* action;
        const char* arg;
    };
    for (Input in : {Input{960, "click", "1"}, Input{100, "click", "1"}, Input{960, "key", "a"}}) {
        pid_t pid = Spawn({BinDir() + "/cindral", "/s"}, env).pid;
        std::string windows;
        for (int i = 0; i < 100; ++i) {
            windows = Capture({"xdotool", "search", "--onlyvisible", "--name", "^Cindral_Main$"},
                              x->ClientEnv());
            if (std::count(windows.begin(), windows.end(), '\n') >= 2) break;
            std::this_thread::sleep_for(50ms);
        }
        EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 2) << windows;
        std::this_thread::sleep_for(800ms);

        // Both halves show fire, and the same fire: each window is the whole
        // back surface scaled to its monitor. Two screens may be caught one
        // frame apart, so allow a few tries for a moment when they agree.
        double bestDiff = 1.0;
        for (int attempt = 0; attempt < 10 && bestDiff > 0.02; ++attempt) {
            Picture p = Screenshot(*x, "root", 1280, 480);
            ASSERT_FALSE(p.rgb.empty());
            EXPECT_GT(LitFraction(p, 0, 640), 0.3);
            EXPECT_GT(LitFraction(p, 640, 1280), 0.3);
            EXPECT_TRUE(FireColoursOnly(p, 0, 1280));
            Picture right = p;
            for (int y = 0; y < 480; ++y) {
                for (int xx = 0; xx < 640; ++xx) {
                    for (int c = 0; c < 3; ++c) {
                        right.rgb[3 * (y * 1280 + xx) + c] = p.rgb[3 * (y * 1280 + xx + 640) + c];
                    }
                }
            }
            bestDiff = std::min(bestDiff, DifferingFraction(p, right, 0, 640));
        }
        EXPECT_LT(bestDiff, 0.02) << "the two monitors show different pictures";

        Capture({"xdotool", "mousemove", std::to_string(in.x), "240", in.action, in.arg},
                x->ClientEnv());
        auto status = WaitExit(pid, 1000);
        if (!status) KillAndReap(pid);
        ASSERT_TRUE(status) << in.action << " at x=" << in.x << " did not end the saver";
        EXPECT_EQ(*status, 0);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace cindral::e2e
