// The real program under private X servers: input with xdotool (timed keys
// through XTest), pictures with ImageMagick's import.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <thread>

#include "fire_checks.h"
#include "saver_fixture.h"
#include "x_clients.h"

namespace cindral::e2e {
namespace {

struct Start {
    std::vector<std::string> args;
    int depth;
};

void PrintTo(const Start& s, std::ostream* os) {
    *os << "'";
    for (const auto& a : s.args) *os << a;
    *os << "' at " << s.depth << " bits";
}

class SaverStarts : public SaverE2E, public ::testing::WithParamInterface<Start> {};

TEST_P(SaverStarts, ShowsMovingFireAndEndsWithinATenthOfAKeyPress) {
    StartServer(640, 480, GetParam().depth);
    FakeKeyboard keyboard(*x_);
    ASSERT_TRUE(keyboard.Ready()) << "no XTest connection to the server";
    pid_t pid = Start(GetParam().args);
    ASSERT_TRUE(WaitForSaverWindow());
    ASSERT_TRUE(WaitForFire(*x_, "root", width_, height_)) << "no fire within 10 s";
    ExpectMovingFire(*x_, "root", width_, height_);
    EXPECT_FALSE(WaitExit(pid, 0)) << "ended before any input";

    // From just before the key leaves a connection opened beforehand: the
    // time is the server's delivery and the program's answer, nothing else.
    const auto sent = keyboard.Key("a", true);
    auto status = WaitExit(pid, 2000);
    const double ms = MsSince(sent);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);
    RecordProperty("exit_ms_after_key", std::to_string(ms));
    std::printf("exit %.1f ms after the key was sent\n", ms);
    EXPECT_LT(ms, 100.0);
    keyboard.Key("a", false);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SaverStarts,
                         ::testing::Values(Start{{"/s"}, 24}, Start{{"-S"}, 24}, Start{{}, 24},
                                           Start{{"/s"}, 16}),
                         [](const auto& info) {
                             std::string n = info.param.args.empty()      ? "empty"
                                             : info.param.args[0] == "/s" ? "slash_s"
                                                                          : "dash_S";
                             return n + "_depth" + std::to_string(info.param.depth);
                         });

TEST_F(SaverE2E, MouseMovementKeepsItRunningAndAClickEndsIt) {
    StartServer(640, 480, 24);
    pid_t pid = Start({"/s"});
    ASSERT_TRUE(WaitForSaverWindow());
    std::this_thread::sleep_for(300ms);
    Xdo({"mousemove", "10", "10"});
    Xdo({"mousemove", "600", "400"});
    Xdo({"mousemove_relative", "--", "-30", "-30"});
    EXPECT_FALSE(WaitExit(pid, 700)) << "mouse movement ended the saver";
    Xdo({"click", "1"});
    auto status = WaitExit(pid, 1000);
    ASSERT_TRUE(status) << "a click did not end the saver";
    EXPECT_EQ(*status, 0);
}

TEST_F(SaverE2E, TerminationSignalsEndItCleanly) {
    StartServer(640, 480, 24);
    for (int sig : {SIGTERM, SIGINT}) {
        pid_t pid = Start({"/s"});
        ASSERT_TRUE(WaitForSaverWindow());
        kill(pid, sig);
        auto status = WaitExit(pid, 500);
        ASSERT_TRUE(status) << "signal " << sig;
        EXPECT_EQ(*status, 0) << "not handled: died of signal " << sig;
        std::this_thread::sleep_for(100ms);
    }
}

TEST_F(SaverE2E, OtherModeLettersEndWithoutAnyWindow) {
    StartServer(640, 480, 24);
    Child watch = WatchWindowCreation();
    // (/c and its forms open the settings window: tests/e2e/settings.)
    for (auto args : {std::vector<std::string>{"/x"}, {"/a", "4711"}, {"/"}}) {
        auto t = Clock::now();
        auto status = WaitExit(Start(args), 2000);
        ASSERT_TRUE(status) << args[0];
        EXPECT_EQ(*status, 0);
        EXPECT_LT(MsSince(t), 1000.0) << args[0];
    }
    EXPECT_EQ(StopWatching(watch).find("CreateNotify"), std::string::npos);
}

TEST_F(SaverE2E, PreviewFillsTheHostWindowAndEndsWithIt) {
    StartServer(640, 480, 24);
    auto [host, id] = HostWindow("host", 200, 150);
    ASSERT_NE(id, 0u);
    pid_t pid = Start({"/p", std::to_string(id)});
    std::string tree;
    for (int i = 0; i < 100 && tree.find("1 child") == std::string::npos; ++i) {
        std::this_thread::sleep_for(50ms);
        tree = Children(id);
    }
    ASSERT_NE(tree.find("1 child"), std::string::npos) << tree;
    EXPECT_NE(tree.find("\"Preview Window\""), std::string::npos) << tree;
    EXPECT_NE(tree.find("200x150+0+0"), std::string::npos) << tree;

    std::this_thread::sleep_for(200ms);
    Picture p = Screenshot(*x_, std::to_string(id), 200, 150);
    ASSERT_FALSE(p.rgb.empty());
    EXPECT_GT(LitFraction(p, 0, 200), 0.3);
    EXPECT_TRUE(FireColoursOnly(p, 0, 200));

    close(host.stdinFd);  // the host goes away
    auto status = WaitExit(pid, 2000);
    ASSERT_TRUE(status) << "preview outlived its host";
    EXPECT_EQ(*status, 0);
}

// Peak resident memory of a running process, in MiB (VmHWM).
double PeakResidentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return -1;
}

TEST_F(SaverE2E, PreviewOfAHugeHostCostsOnlyWhatShows) {
    StartServer(640, 480, 24);
    // 16000 x 16000 pixels of 4 bytes would be 977 MiB for one whole picture.
    auto [host, id] = HostWindow("host", 16000, 16000);
    ASSERT_NE(id, 0u);
    auto t = Clock::now();
    pid_t pid = Start({"/p", std::to_string(id)});
    std::string tree;
    for (int i = 0; i < 100 && tree.find("1 child") == std::string::npos; ++i) {
        std::this_thread::sleep_for(50ms);
        tree = Children(id);
    }
    ASSERT_NE(tree.find("16000x16000+0+0"), std::string::npos) << tree;
    // The screen shows the host's middle at 80 % of its height, where the
    // flames are; the part that comes into view is drawn.
    std::this_thread::sleep_for(300ms);
    Xdo({"windowmove", std::to_string(id), "-7700", "-12560"});
    Picture p;
    for (int i = 0; i < 40; ++i) {
        p = Screenshot(*x_, "root", 640, 480);
        if (!p.rgb.empty() && LitFraction(p, 0, 640) > 0.3) break;
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_FALSE(p.rgb.empty());
    EXPECT_GT(LitFraction(p, 0, 640), 0.3);
    EXPECT_TRUE(FireColoursOnly(p, 0, 640));
    EXPECT_LT(MsSince(t), 3000.0);
    const double peak = PeakResidentMiB(pid);
    RecordProperty("preview_peak_mib", std::to_string(peak));
    EXPECT_GT(peak, 0.0);
    EXPECT_LT(peak, 100.0);
    close(host.stdinFd);
    EXPECT_TRUE(WaitExit(pid, 2000));
}

TEST_F(SaverE2E, PreviewHandleStartsAtCharacterFour) {
    StartServer(640, 480, 24);
    auto [host, id] = HostWindow("host", 120, 90);
    // "/p9<id>" reads <id>: character 3 is skipped even when it is a digit,
    // as "/p4711" reads 711.
    pid_t pid = Start({"/p9" + std::to_string(id)});
    std::string tree;
    for (int i = 0; i < 100 && tree.find("1 child") == std::string::npos; ++i) {
        std::this_thread::sleep_for(50ms);
        tree = Children(id);
    }
    EXPECT_NE(tree.find("120x90+0+0"), std::string::npos) << tree;
    EXPECT_FALSE(WaitExit(pid, 0));

    // A handle that names no window leaves nothing to draw in: the program
    // ends at once, says why and fails.
    Child none = StartChild({"/p4711"});
    auto status = WaitExit(none.pid, 2000);
    std::string said = ReadAll(none.stderrFd, 500);
    close(none.stderrFd);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 1);
    EXPECT_NE(said.find("711"), std::string::npos) << said;
    EXPECT_NE(said.find("no window"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST_F(SaverE2E, SecondStartEndsAtOnceInEveryMode) {
    StartServer(640, 480, 24);
    auto [host, id] = HostWindow("host", 100, 80);
    const std::vector<std::vector<std::string>> modes = {
        {"/s"}, {}, {"/c"}, {"/p", std::to_string(id)}, {"/a", "1"}};

    pid_t saver = Start({"/s"});
    ASSERT_TRUE(WaitForSaverWindow());
    for (const auto& args : modes) {
        auto status = WaitExit(Start(args), 1000);
        EXPECT_TRUE(status) << (args.empty() ? "(empty)" : args[0]) << " kept running";
    }
    EXPECT_NE(Children(id).find(" 0 children."), std::string::npos) << Children(id);
    EXPECT_FALSE(WaitExit(saver, 0)) << "the first saver must go on";
    Xdo({"key", "a"});
    ASSERT_TRUE(WaitExit(saver, 1000));

    // The same while the settings window is open (a window with its caption).
    auto settings = HostWindow("Cindralの設定", 50, 50);
    ASSERT_NE(settings.second, 0u);
    Child watch = WatchWindowCreation();
    for (const auto& args : modes) {
        auto status = WaitExit(Start(args), 1000);
        EXPECT_TRUE(status) << (args.empty() ? "(empty)" : args[0]) << " kept running";
    }
    EXPECT_EQ(StopWatching(watch).find("CreateNotify"), std::string::npos);
}

TEST_F(SaverE2E, SettingsWindowIsFoundByItsCompoundTextName) {
    StartServer(640, 480, 24);
    auto settings = HostWindow("Cindralの設定", 50, 50, /*legacyName=*/true);
    ASSERT_NE(settings.second, 0u);
    std::string name =
        Capture({"xwininfo", "-id", std::to_string(settings.second)}, x_->ClientEnv());
    auto status = WaitExit(Start({"/s"}), 1000);
    EXPECT_TRUE(status) << "a second copy ran beside " << name;
}

}  // namespace
}  // namespace cindral::e2e
