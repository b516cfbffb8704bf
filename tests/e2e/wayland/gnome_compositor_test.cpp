// The full-screen saver on GNOME's compositor (headless mutter, two virtual
// monitors), which has no layer shell: a full-screen xdg toplevel on each
// monitor, ended by a key or SIGTERM.
//
// mutter gives screenshots only through PipeWire, so whether the surface
// covers the output is read from the protocol (the client's WAYLAND_DEBUG
// log): each toplevel asks for full screen on its output, mutter configures
// it at exactly that output's size, the client scales every frame to that
// size, and frame callbacks keep coming; mutter sends those only for surfaces
// it paints on an output.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

std::string ReadFile(const std::string& path) {
    std::ifstream f(path);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

int Count(const std::string& text, const std::regex& re) {
    return static_cast<int>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

// Frame callbacks each output must have sent: mutter sends them only for a
// surface it paints, at its own pace, which a loaded machine slows.
constexpr int kCallbacksPerOutput = 30;

int FrameCallbacks(const std::string& log) {
    return Count(log, std::regex(R"(wl_callback@\d+\.done\()"));
}

// What the saver's protocol log says about its surfaces on these outputs:
// one toplevel asking for full screen on each, each last configured at its
// output's size, frames scaled to that size, frame callbacks coming.
void ExpectFullScreenOn(const std::string& log, const std::vector<OutputSize>& outputs) {
    EXPECT_EQ(Count(log, std::regex(R"(-> xdg_toplevel@\d+\.set_fullscreen\(wl_output@\d+\))")),
              static_cast<int>(outputs.size()))
        << "not one full-screen request per output";
    EXPECT_EQ(Count(log, std::regex("zwlr_layer")), 0);
    std::map<std::string, std::string> lastSize;  // by toplevel
    const std::regex configure(R"(xdg_toplevel@(\d+)\.configure\((\d+, \d+), )");
    for (auto it = std::sregex_iterator(log.begin(), log.end(), configure);
         it != std::sregex_iterator(); ++it) {
        lastSize[(*it)[1]] = (*it)[2];
    }
    std::multiset<std::string> configured, expected;
    for (const auto& [toplevel, size] : lastSize) configured.insert(size);
    for (const OutputSize o : outputs) {
        const std::string size = std::to_string(o.width) + ", " + std::to_string(o.height);
        expected.insert(size);
        EXPECT_GT(
            Count(log, std::regex(R"(-> wp_viewport@\d+\.set_destination\()" + size + R"(\))")), 0)
            << "frames not scaled to " << size;
    }
    EXPECT_EQ(configured, expected) << "toplevels configured at other sizes than the outputs'";
    EXPECT_GT(FrameCallbacks(log), kCallbacksPerOutput * static_cast<int>(outputs.size()))
        << "mutter did not paint them (too few frame callbacks)";
}

struct Ending {
    const char* name;
    bool key;  // else SIGTERM
};

class SaverOnMutter : public ::testing::TestWithParam<Ending> {};

TEST_P(SaverOnMutter, FullScreenToplevelEndedInTime) {
    const std::vector<OutputSize> monitors{{1280, 720}, {800, 600}};
    auto mutter = Compositor::Mutter(monitors);
    ASSERT_TRUE(mutter) << "headless mutter did not start";
    Env env = mutter->ClientEnv();
    env["XDG_CONFIG_HOME"] = mutter->RuntimeDir() + "/config";
    env["CINDRAL_FIRST_FRAME_STAMP"] = "1";
    env["WAYLAND_DEBUG"] = "client";
    // A file, not a pipe: the log is large and a full pipe would stall the saver.
    const std::string logPath = mutter->RuntimeDir() + "/saver.log";
    Child saver = Spawn({"sh", "-c", "exec \"$0\" /s 2>'" + logPath + "'", Program()}, env);
    for (const auto end = Clock::now() + 15s; Clock::now() < end;) {
        if (ReadFile(logPath).find("first-frame-realtime-ns") != std::string::npos) break;
        std::this_thread::sleep_for(50ms);
    }
    const int callbacks = kCallbacksPerOutput * static_cast<int>(monitors.size());
    for (const auto end = Clock::now() + 15s;
         Clock::now() < end && FrameCallbacks(ReadFile(logPath)) <= callbacks;) {
        std::this_thread::sleep_for(200ms);
    }
    ASSERT_TRUE(StillRunning(saver.pid)) << ReadFile(logPath).substr(0, 4000);
    ExpectFullScreenOn(ReadFile(logPath), monitors);

    int status = -1;
    std::optional<double> ms;
    if (GetParam().key) {
        Child key = mutter->MutterKey(1);  // Escape
        ms = MsUntilExit(saver.pid, 5000, &status);
        const auto ended = std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
        const std::string sent = ReadLine(key.stdoutFd, 3000);
        MsUntilExit(key.pid, 3000);
        ASSERT_TRUE(ms) << "the key did not end the saver";
        ASSERT_TRUE(sent.starts_with("sent ")) << sent;
        const double sinceKey = (ended - std::stod(sent.substr(5))) * 1000;
        std::printf("the key ended the saver %.0f ms after it was sent\n", sinceKey);
        EXPECT_GT(sinceKey, 0) << "ended before the key (by the Shift that brings the keyboard?)";
        EXPECT_LT(sinceKey, kEndLimitMs);
    } else {
        kill(saver.pid, SIGTERM);
        ms = MsUntilExit(saver.pid, 3000, &status);
        ASSERT_TRUE(ms) << "SIGTERM did not end the saver";
        std::printf("SIGTERM ended the saver in %.0f ms\n", *ms);
        EXPECT_LT(*ms, kEndLimitMs);
    }
    EXPECT_EQ(status, 0);
    const std::string log = ReadFile(logPath);
    EXPECT_NE(log.find("renderer xdg-shell+viewporter"), std::string::npos);
    EXPECT_NE(log.find("frames "), std::string::npos) << "the frame loop did not end normally";
}

INSTANTIATE_TEST_SUITE_P(Endings, SaverOnMutter,
                         ::testing::Values(Ending{"Key", true}, Ending{"Sigterm", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cindral::e2e
