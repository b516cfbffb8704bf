// The real program under private X servers: input with xdotool, pictures with
// ImageMagick's import.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <thread>

#include "e2e_support.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

std::string Cindral() { return BinDir() + "/cindral"; }
std::string TestWindow() { return BinDir() + "/cindral-test-window"; }

double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

class SaverE2E : public ::testing::Test {
  protected:
    void StartServer(int width, int height, int depth) {
        x_.reset();
        if (auto x = XServer::Xvfb(width, height, depth)) x_.emplace(std::move(*x));
        ASSERT_TRUE(x_) << "Xvfb did not start";
        width_ = width;
        height_ = height;
    }
    void TearDown() override {
        for (pid_t p : children_) KillAndReap(p);
    }
    Env ProgramEnv() const {
        Env env = x_->ClientEnv();
        env["XDG_CONFIG_HOME"] = home_.string();
        env["HOME"] = home_.string();
        return env;
    }
    pid_t Start(const std::vector<std::string>& args) {
        std::vector<std::string> argv{Cindral()};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_t pid = Spawn(argv, ProgramEnv()).pid;
        children_.push_back(pid);
        return pid;
    }
    std::string Xdo(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        return Capture(argv, x_->ClientEnv());
    }
    bool WaitForSaverWindow(int timeoutMs = 5000) {
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            if (!Xdo({"search", "--onlyvisible", "--name", "^Cindral_Main$"}).empty()) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    // A window of our own: a preview host or a window with one of the
    // program's captions. Lives until its stdin is closed.
    std::pair<Child, unsigned long> HostWindow(const std::string& name, int w, int h,
                                               bool legacyName = false) {
        Child c = Spawn({TestWindow(), "--name", name, "--width", std::to_string(w), "--height",
                         std::to_string(h), "--legacy-name", legacyName ? "1" : "0"},
                        x_->ClientEnv(), true, true);
        children_.push_back(c.pid);
        std::string id = ReadLine(c.stdoutFd, 5000);
        return {c, id.empty() ? 0ul : std::stoul(id)};
    }
    // Records windows created on the screen while it runs.
    Child WatchWindowCreation() {
        Child c = e2e::WatchWindowCreation(*x_);
        children_.push_back(c.pid);
        return c;
    }
    std::string Children(unsigned long window) {
        return Capture({"xwininfo", "-children", "-id", std::to_string(window)}, x_->ClientEnv());
    }

    std::optional<XServer> x_;
    int width_ = 0, height_ = 0;
    std::vector<pid_t> children_;
    std::filesystem::path home_ = std::filesystem::temp_directory_path();
};

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
    pid_t pid = Start(GetParam().args);
    ASSERT_TRUE(WaitForSaverWindow());
    std::this_thread::sleep_for(800ms);
    Picture a = Screenshot(*x_, "root", width_, height_);
    std::this_thread::sleep_for(300ms);
    Picture b = Screenshot(*x_, "root", width_, height_);
    ASSERT_FALSE(a.rgb.empty());
    ASSERT_FALSE(b.rgb.empty());
    EXPECT_GT(LitFraction(a, 0, width_), 0.3);
    EXPECT_TRUE(FireColoursOnly(a, 0, width_));
    EXPECT_TRUE(FireColoursOnly(b, 0, width_));
    EXPECT_GT(DifferingFraction(a, b, 0, width_), 0.05);
    EXPECT_FALSE(WaitExit(pid, 0)) << "ended before any input";

    auto before = Clock::now();
    Xdo({"keydown", "a"});
    auto sent = Clock::now();  // the key is on its way by the time xdotool returns
    auto status = WaitExit(pid, 2000);
    double fromSent = MsSince(sent), fromLaunch = MsSince(before);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);
    RecordProperty("exit_ms_after_key", std::to_string(fromSent));
    std::printf("exit %.1f ms after the key was sent (%.1f ms after xdotool started)\n", fromSent,
                fromLaunch);
    // The key leaves after xdotool starts and before it returns, so the time
    // from its start bounds the key-to-exit time from above.
    EXPECT_LT(fromLaunch, 100.0);
    Xdo({"keyup", "a"});
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

    // A handle that names no window ends the preview at once.
    auto status = WaitExit(Start({"/p4711"}), 2000);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);
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
