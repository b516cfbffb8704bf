// The program's rules on Wayland: which backend runs and what it says when
// the chosen one cannot start; the preview mode is not offered; one instance
// of ten started together; swayidle starts the saver; the xdg-shell path on
// weston.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

struct ChoiceCase {
    const char* name;
    Env env;
    std::vector<std::string> args;
    int status;
    const char* says;
};

class BackendChoice : public ::testing::TestWithParam<ChoiceCase> {};

// Each failure names its reason and exits non-zero; none falls through to the
// other backend.
TEST_P(BackendChoice, FailuresAreSaidAndNonZero) {
    auto sway = Compositor::Sway({{640, 480}});
    ASSERT_TRUE(sway);
    Env env = sway->ClientEnv();
    for (const auto& [k, v] : GetParam().env) env[k] = v;
    std::vector<std::string> argv{Program()};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    const Outcome o = RunToEnd(argv, env, 10000);
    ASSERT_TRUE(o.status) << "still running: " << o.output;
    EXPECT_EQ(*o.status, GetParam().status) << o.output;
    EXPECT_NE(o.output.find(GetParam().says), std::string::npos) << o.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackendChoice,
    ::testing::Values(ChoiceCase{"UnknownOverride",
                                 {{"CINDRAL_BACKEND", "mir"}},
                                 {"/s"},
                                 2,
                                 "it must be x11 or wayland"},
                      // WAYLAND_DISPLAY is set, yet the override picks X11, which has no
                      // display here: the X11 failure, not a Wayland saver.
                      ChoiceCase{"X11OverrideWins",
                                 {{"CINDRAL_BACKEND", "x11"}},
                                 {"/s"},
                                 1,
                                 "cannot open the X display"},
                      ChoiceCase{
                          "NoCompositor",
                          {{"CINDRAL_BACKEND", "wayland"}, {"WAYLAND_DISPLAY", "wayland-none"}},
                          {"/s"},
                          1,
                          "cannot connect to the Wayland compositor \"wayland-none\""},
                      ChoiceCase{"LayerModeOnX11",
                                 {{"WAYLAND_DISPLAY", ""}},
                                 {"--layer"},
                                 2,
                                 "layer mode needs a Wayland compositor"},
                      ChoiceCase{"PreviewIsNotOffered",
                                 {},
                                 {"/p", "1234"},
                                 1,
                                 "the preview mode (/p) is for X11 and Windows hosts"}),
    [](const auto& info) { return std::string(info.param.name); });

// Ten copies started together: one runs the saver, nine end at once with
// status 0 (the claim in the runtime folder is taken).
TEST(Instances, OfTenStartedTogetherOneRuns) {
    auto sway = Compositor::Sway({{640, 480}});
    ASSERT_TRUE(sway);
    std::vector<Child> copies;
    for (int i = 0; i < 10; ++i) copies.push_back(StartCindral(*sway, {"/s"}));
    std::this_thread::sleep_for(3s);
    int running = 0, endedWell = 0;
    for (const auto& c : copies) {
        int status = -1;
        if (MsUntilExit(c.pid, 1, &status)) {
            endedWell += status == 0;
        } else {
            ++running;
        }
    }
    EXPECT_EQ(running, 1);
    EXPECT_EQ(endedWell, 9);
    EXPECT_TRUE(std::filesystem::exists(sway->RuntimeDir() + "/cindral.lock"));
    ExpectMovingFireOn(*sway, "HEADLESS-1");
    for (const auto& c : copies) {
        if (StillRunning(c.pid)) {
            kill(c.pid, SIGTERM);
            MsUntilExit(c.pid, 3000);
        }
    }
}

// swayidle runs the saver after its timeout (no input on the headless seat),
// and a key ends it.
TEST(Idle, SwayidleStartsTheSaverAfterItsTimeout) {
    auto sway = Compositor::Sway({{1280, 720}});
    ASSERT_TRUE(sway);
    Child idle = Spawn({"swayidle", "-w", "timeout", "2", Program() + " /s"}, sway->ClientEnv());
    std::this_thread::sleep_for(1s);
    const Picture before = sway->Grab("HEADLESS-1");
    EXPECT_FALSE(ShowsFire(before)) << "fire before the timeout";
    EXPECT_TRUE(WaitForOutputFire(*sway, "HEADLESS-1", 15000)) << "swayidle did not start it";
    kill(idle.pid, SIGTERM);
    MsUntilExit(idle.pid, 3000);
    Child key = Spawn({"wtype", "-s", "300", "-k", "Escape"}, sway->ClientEnv());
    MsUntilExit(key.pid, 5000);
    std::this_thread::sleep_for(1s);
    const Picture after = sway->Grab("HEADLESS-1");
    EXPECT_FALSE(ShowsFire(after)) << "the key did not end it";
}

// Weston offers no layer shell: the saver is a full-screen xdg toplevel.
TEST(XdgShell, FullScreenToplevelOnWeston) {
    auto weston = Compositor::Weston(1024, 768);
    ASSERT_TRUE(weston) << "headless weston did not start";
    Env env = weston->ClientEnv();
    env["CINDRAL_FIRST_FRAME_STAMP"] = "1";
    Child saver = Spawn({Program(), "/s"}, env, false, false, true);
    std::this_thread::sleep_for(3s);
    const std::string dir = weston->RuntimeDir() + "/shots";
    std::filesystem::create_directory(dir);
    Capture({"sh", "-c", "cd '" + dir + "' && weston-screenshooter"}, env);
    std::string png;
    for (const auto& e : std::filesystem::directory_iterator(dir)) png = e.path();
    ASSERT_FALSE(png.empty()) << "no screenshot";
    const Picture p = ParsePpm(Capture({"convert", png, "ppm:-"}, env));
    ASSERT_EQ(p.width, 1024);
    EXPECT_GT(LitFraction(p, 0, p.width), 0.3);
    EXPECT_TRUE(FireColoursOnly(p, 0, p.width));
    kill(saver.pid, SIGTERM);
    int status = -1;
    ASSERT_TRUE(MsUntilExit(saver.pid, 3000, &status));
    EXPECT_EQ(status, 0);
    EXPECT_NE(ReadAll(saver.stderrFd, 500).find("renderer xdg-shell+"), std::string::npos);
}

}  // namespace
}  // namespace cindral::e2e
