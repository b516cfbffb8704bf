// Only the settings mode loads Qt: the saver's modes run without it, and the
// settings window brings it along with its module.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "e2e_support.h"
#include "mapped_libraries.h"

namespace cindral::e2e {
namespace {

namespace fs = std::filesystem;

struct Mode {
    const char* name;
    std::vector<std::string> args;
    bool loadsQt;
};

const Mode kModes[] = {
    {"full-screen saver", {"/s"}, false},
    {"hack on the root window", {"-root"}, false},
    {"settings window", {"/c"}, true},
};

// True once the settings window says it has painted, within `timeoutMs`.
bool WaitForFirstPaint(int stderrFd, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        const int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
        if (ReadLine(stderrFd, left).starts_with("first-paint-realtime-ns")) return true;
    }
    return false;
}

TEST(QtLoading, OnlyTheSettingsModeMapsQt) {
    auto x = XServer::Xvfb(640, 480, 24);
    ASSERT_TRUE(x) << "Xvfb did not start";
    std::random_device r;
    const fs::path home = fs::temp_directory_path() / ("cindral-qt-loading-" + std::to_string(r()));
    fs::create_directories(home);
    // A copy of the program of its own: its settings file lives beside it.
    fs::copy_file(BinDir() + "/cindral", home / "cindral");
    Env env = x->ClientEnv();
    env["HOME"] = home.string();
    env["XDG_CONFIG_HOME"] = (home / "config").string();
    env["CINDRAL_FIRST_PAINT_STAMP"] = "1";
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        std::vector<std::string> argv{(home / "cindral").string()};
        argv.insert(argv.end(), mode.args.begin(), mode.args.end());
        const Child c = Spawn(argv, env, false, false, true);
        // Running in full: fire on the screen, or the window painted.
        const bool running = mode.loadsQt ? WaitForFirstPaint(c.stderrFd, 10000)
                                          : WaitForFire(*x, "root", 640, 480).has_value();
        const auto qt =
            platform::audio::test_support::MappedLibraries(std::to_string(c.pid), {"libQt6"});
        KillAndReap(c.pid);
        close(c.stderrFd);
        ASSERT_TRUE(running);
        EXPECT_EQ(!qt.empty(), mode.loadsQt);
    }
    std::error_code ec;
    fs::remove_all(home, ec);
}

}  // namespace
}  // namespace cindral::e2e
