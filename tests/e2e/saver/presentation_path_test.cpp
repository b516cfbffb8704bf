// How the saver's frames reach the screen, chosen once at start and said on
// standard error when asked (CINDRAL_FIRST_FRAME_STAMP): the server scales
// where it has RENDER and MIT-SHM, the saver stretches without them, and the
// fire shows either way on 16-, 24- and 30-bit desktops. Xvfb drives no
// display, so frames never wait for a vertical blank there; Xorg's dummy
// driver shows a 59.94 Hz mode, and there frames follow Present's
// completions at the fire's own rate.

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

TEST_F(SaverE2E, ThePresentationPathIsChosenAtStartAndSaid) {
    struct Case {
        const char* what;
        int depth;
        std::vector<std::string> serverArgs;
        const char* said;
    };
    const Case cases[] = {
        {"a 24-bit desktop", 24, {}, "renderer xrender vsync 0"},
        {"a 16-bit desktop", 16, {}, "renderer xrender vsync 0"},
        {"a 30-bit desktop", 30, {}, "renderer xrender vsync 0"},
        {"no RENDER", 24, {"-extension", "RENDER"}, "renderer xshm vsync 0"},
        {"a 30-bit desktop without RENDER", 30, {"-extension", "RENDER"}, "renderer xshm vsync 0"},
        {"no MIT-SHM", 24, {"-extension", "MIT-SHM"}, "renderer ximage vsync 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartServer(640, 480, c.depth, c.serverArgs);
        UseSettings(MusicSettings(0));
        Child saver = StartChild({"/s"}, {{"CINDRAL_FIRST_FRAME_STAMP", "1"}});
        const std::string line = ReadLine(saver.stderrFd, 5000);
        EXPECT_NE(line.find(c.said), std::string::npos) << line;
        EXPECT_TRUE(WaitForFire(*x_, "root", 640, 480, 3000));
        // The saver ends with its server, at the next case or the fixture's end.
    }
}

TEST_F(SaverE2E, AtARealVerticalBlankFramesFollowTheDisplayAtTheFiresRate) {
    if (!DummyXorgAvailable()) GTEST_SKIP() << "needs root and the dummy video driver";
    const auto dir =
        std::filesystem::temp_directory_path() / ("cindral-paced-" + std::to_string(getpid()));
    auto xorg = XServer::DummyXorg(dir, 1);
    ASSERT_TRUE(xorg) << "Xorg did not start; see " << (dir / "xorg.log");
    Env env = xorg->ClientEnv();
    env["XDG_CONFIG_HOME"] = dir.string();
    env["CINDRAL_FIRST_FRAME_STAMP"] = "1";
    Child saver = Spawn({Cindral(), "/s"}, env, false, false, true);
    children_.push_back(saver.pid);
    const std::string first = ReadLine(saver.stderrFd, 5000);
    EXPECT_NE(first.find("renderer xrender vsync 1"), std::string::npos) << first;
    std::this_thread::sleep_for(2s);
    kill(saver.pid, SIGTERM);
    const std::string rest = ReadAll(saver.stderrFd, 3000);
    EXPECT_EQ(WaitExit(saver.pid, 2000), 0);
    long frames = 0;
    double seconds = 0;
    const auto at = rest.find("frames ");
    ASSERT_NE(at, std::string::npos) << rest;
    ASSERT_EQ(std::sscanf(rest.c_str() + at, "frames %ld in %lf s", &frames, &seconds), 2) << rest;
    ASSERT_GT(seconds, 1.0);
    // 60 frames a second, the display's 59.94 Hz at most: neither faster than
    // the fire's rate nor a rate halved by waiting on completions.
    const double rate = frames / seconds;
    RecordProperty("frames_per_second", std::to_string(rate));
    EXPECT_LE(rate, 61.0);
    EXPECT_GE(rate, 45.0);
    xorg.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

}  // namespace
}  // namespace cindral::e2e
