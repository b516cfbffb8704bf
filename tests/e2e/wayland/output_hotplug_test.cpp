// Outputs plugged in while the full-screen saver runs on headless sway: each
// output added gets a surface of its own with moving fire and its own frame
// buffers, the first keeps its fire, no descriptor is left open but those
// buffers, and a key still ends the saver.
//
// sway 1.7 cannot take a headless output away again: it has no "unplug",
// and "output HEADLESS-n disable" fails ("Failed to commit output"; the
// headless backend of its wlroots refuses the enabled state), leaving the
// wl_output in place. Removal is therefore not exercised here.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

// Open descriptors of `pid`, and those of them that are frame memory (each
// surface keeps its two buffers in one memory file named "cindral-frame").
struct Descriptors {
    int open = 0;
    int frameMemory = 0;
};

Descriptors DescriptorsOf(pid_t pid) {
    Descriptors d;
    std::error_code ec;
    const std::string dir = "/proc/" + std::to_string(pid) + "/fd";
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
        ++d.open;
        const auto target = std::filesystem::read_symlink(e.path(), ec).string();
        d.frameMemory += target.starts_with("/memfd:cindral-frame");
    }
    return d;
}

// The frame memory files once they number `n`, or the last count seen
// within two seconds.
int WaitForFrameMemory(pid_t pid, int n) {
    int seen = -1;
    for (const auto end = Clock::now() + 2s; Clock::now() < end;) {
        seen = DescriptorsOf(pid).frameMemory;
        if (seen == n) break;
        std::this_thread::sleep_for(20ms);
    }
    return seen;
}

void ExpectOutputSize(const Compositor& c, const std::string& name, int width, int height) {
    const Picture p = c.Grab(name);
    EXPECT_EQ(p.width, width) << name;
    EXPECT_EQ(p.height, height) << name;
}

TEST(SaverOutputs, OutputsAddedWhileRunningGetSurfacesWithFire) {
    auto sway = Compositor::Sway({{1280, 720}});
    ASSERT_TRUE(sway);
    Child saver = StartCindral(*sway, {"/s"});
    ASSERT_TRUE(WaitForOutputFire(*sway, "HEADLESS-1"));
    ASSERT_EQ(WaitForFrameMemory(saver.pid, 1), 1) << "one surface, one buffer file";
    const int openAtStart = DescriptorsOf(saver.pid).open;

    struct Added {
        const char* name;
        const char* mode;
        const char* x;
        int width, height;
    };
    int surfaces = 1;
    for (const Added a : {Added{"HEADLESS-2", "800x600", "1280", 800, 600},
                          Added{"HEADLESS-3", "1024x768", "2080", 1024, 768}}) {
        sway->SwayMsg({"create_output"});
        sway->SwayMsg({"output", a.name, "resolution", a.mode, "position", a.x, "0"});
        ExpectMovingFireOn(*sway, a.name);
        ExpectOutputSize(*sway, a.name, a.width, a.height);
        ++surfaces;
        EXPECT_EQ(WaitForFrameMemory(saver.pid, surfaces), surfaces) << a.name;
        ASSERT_TRUE(StillRunning(saver.pid)) << ReadAll(saver.stderrFd, 100);
    }
    ExpectMovingFireOn(*sway, "HEADLESS-1");
    EXPECT_EQ(DescriptorsOf(saver.pid).open, openAtStart + 2)
        << "only the new surfaces' buffer files should be opened";

    Child key = Spawn({"wtype", "-s", "300", "-k", "Escape"}, sway->ClientEnv());
    int status = -1;
    const auto ms = MsUntilExit(saver.pid, 5000, &status);
    MsUntilExit(key.pid, 3000);
    ASSERT_TRUE(ms) << "the key did not end the saver";
    std::printf("the key ended the saver %.0f ms after the helper started (300 ms delay)\n", *ms);
    EXPECT_LT(*ms, 300 + kEndLimitMs);
    EXPECT_EQ(status, 0) << ReadAll(saver.stderrFd, 100);
}

}  // namespace
}  // namespace cindral::e2e
