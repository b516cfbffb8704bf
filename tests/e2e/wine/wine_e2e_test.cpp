// The real cindral.scr under Wine on a private Xvfb: the saver's fire and its
// end on a key, the single-instance rule, and the preview inside a host
// window. Run by script/cross-test, which names the Windows build's folder in
// CINDRAL_WINE_BIN, the Wine loader in CINDRAL_WINE and its server in
// CINDRAL_WINESERVER (WINEPREFIX is set).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "../saver/e2e_support.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

class WineE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        wine_ = Variable("CINDRAL_WINE");
        wineserver_ = Variable("CINDRAL_WINESERVER");
        bin_ = Variable("CINDRAL_WINE_BIN");
        ASSERT_FALSE(wine_.empty()) << "CINDRAL_WINE names no Wine loader";
        ASSERT_FALSE(bin_.empty()) << "CINDRAL_WINE_BIN names no folder";
        ASSERT_FALSE(wineserver_.empty()) << "CINDRAL_WINESERVER names no Wine server";
        ASSERT_FALSE(Variable("WINEPREFIX").empty());
    }
    void StartServer(int width, int height, int depth) {
        if (auto x = XServer::Xvfb(width, height, depth)) x_.emplace(std::move(*x));
        ASSERT_TRUE(x_) << "Xvfb did not start";
        width_ = width;
        height_ = height;
    }
    void TearDown() override {
        for (pid_t p : children_) KillAndReap(p);
        // Wine's helper processes belong to this test's X server: end them with it.
        if (x_) Capture({wineserver_, "-k"}, x_->ClientEnv());
    }
    Child Run(const std::string& exe, const std::vector<std::string>& args, bool pipeOut = false) {
        std::vector<std::string> argv{wine_, bin_ + "/" + exe};
        argv.insert(argv.end(), args.begin(), args.end());
        Child c = Spawn(argv, x_->ClientEnv(), false, pipeOut);
        children_.push_back(c.pid);
        return c;
    }
    pid_t Saver(const std::vector<std::string>& args) { return Run("cindral.scr", args).pid; }
    std::string Xdo(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        return Capture(argv, x_->ClientEnv());
    }
    // X windows named `name` (a top-level Wine window is one X window named by
    // its caption), waiting up to `timeoutMs` for at least one.
    std::vector<std::string> Windows(const std::string& name, int timeoutMs) {
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            std::string out = Xdo({"search", "--onlyvisible", "--name", "^" + name + "$"});
            std::vector<std::string> ids;
            std::size_t start = 0;
            while (start < out.size()) {
                std::size_t nl = out.find('\n', start);
                if (nl == std::string::npos) nl = out.size();
                if (nl > start) ids.push_back(out.substr(start, nl - start));
                start = nl + 1;
            }
            if (!ids.empty() || Clock::now() >= end) return ids;
            std::this_thread::sleep_for(50ms);
        }
    }

    std::string wine_, wineserver_, bin_;
    std::optional<XServer> x_;
    int width_ = 0, height_ = 0;
    std::vector<pid_t> children_;
};

class SaverDepths : public WineE2E, public ::testing::WithParamInterface<int> {};

TEST_P(SaverDepths, ShowsChangingFireAndAKeyEndsItWithinASecond) {
    StartServer(640, 480, GetParam());
    pid_t pid = Saver({"/s"});
    ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
    std::this_thread::sleep_for(1000ms);
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

    Xdo({"mousemove", "10", "10"});
    Xdo({"mousemove", "300", "200"});
    EXPECT_FALSE(WaitExit(pid, 500)) << "mouse movement ended the saver";

    auto before = Clock::now();
    Xdo({"key", "a"});
    auto status = WaitExit(pid, 1000);
    ASSERT_TRUE(status) << "still running a second after the key";
    EXPECT_EQ(*status, 0);
    std::printf("saver ended %.0f ms after the key\n", MsSince(before));
}

INSTANTIATE_TEST_SUITE_P(Depths, SaverDepths, ::testing::Values(24, 16),
                         [](const auto& info) { return "depth" + std::to_string(info.param); });

TEST_F(WineE2E, TheSystemClosingTheWindowEndsTheSaverCleanly) {
    StartServer(640, 480, 24);
    pid_t saver = Saver({"/s"});
    ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
    std::this_thread::sleep_for(500ms);
    Child closer = Run("cindral-close-window.exe", {"Cindral_Main"});
    auto closed = WaitExit(closer.pid, 10000);
    ASSERT_TRUE(closed);
    ASSERT_EQ(*closed, 0);
    auto t = Clock::now();
    // WM_CLOSE was posted before the helper ended; the saver ends well
    // within the helper's own exit time from then on.
    auto status = WaitExit(saver, 1000);
    ASSERT_TRUE(status) << "still running a second after WM_CLOSE";
    EXPECT_EQ(*status, 0);
    std::printf("saver ended %.0f ms after the closing helper\n", MsSince(t));
}

TEST_F(WineE2E, ASecondStartWhileTheSaverRunsEndsAtOnce) {
    StartServer(640, 480, 24);
    pid_t saver = Saver({"/s"});
    ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
    for (auto args : {std::vector<std::string>{"/s"}, {"/c"}, {"/p", "12345"}}) {
        auto t = Clock::now();
        auto status = WaitExit(Saver(args), 5000);
        ASSERT_TRUE(status) << args[0] << " kept running beside the saver";
        EXPECT_EQ(*status, 0) << args[0];
        std::printf("%s ended after %.0f ms\n", args[0].c_str(), MsSince(t));
    }
    EXPECT_EQ(Windows("Cindral_Main", 0).size(), 1u);
    EXPECT_FALSE(WaitExit(saver, 0));
}

TEST_F(WineE2E, SimultaneousStartsLeaveOneSaver) {
    StartServer(640, 480, 24);
    pid_t first = Saver({"/s"});
    pid_t second = Saver({"/s"});
    ASSERT_FALSE(Windows("Cindral_Main", 20000).empty());
    std::this_thread::sleep_for(2000ms);
    EXPECT_EQ(Windows("Cindral_Main", 0).size(), 1u);
    const bool firstRuns = !WaitExit(first, 0);
    const bool secondRuns = !WaitExit(second, 0);
    EXPECT_NE(firstRuns, secondRuns) << "one of the two must have ended, one must run";
}

TEST_F(WineE2E, PreviewShowsTheStillInsideTheHostAndEndsWithIt) {
    StartServer(640, 480, 24);
    Child host = Run("cindral-preview-host.exe", {"6000"}, true);
    const std::string handle = ReadLine(host.stdoutFd, 20000);
    ASSERT_FALSE(handle.empty()) << "the host printed no window handle";
    const auto hosts = Windows("Cindral preview host", 5000);
    ASSERT_EQ(hosts.size(), 1u);
    pid_t preview = Saver({"/p", handle});
    std::this_thread::sleep_for(2500ms);
    EXPECT_FALSE(WaitExit(preview, 0)) << "the preview ended while its host lives";
    Picture inside = Screenshot(*x_, hosts[0], 152, 112);
    ASSERT_FALSE(inside.rgb.empty());
    EXPECT_GT(LitFraction(inside, 0, 152), 0.3);
    EXPECT_TRUE(FireColoursOnly(inside, 0, 152));

    auto hostStatus = WaitExit(host.pid, 10000);
    ASSERT_TRUE(hostStatus) << "the host did not end";
    auto t = Clock::now();
    auto status = WaitExit(preview, 2000);
    ASSERT_TRUE(status) << "the preview outlived its host";
    EXPECT_EQ(*status, 0);
    std::printf("preview ended %.0f ms after its host\n", MsSince(t));
}

TEST_F(WineE2E, APreviewHandleThatNamesNoWindowEndsWithAnError) {
    StartServer(640, 480, 24);
    auto status = WaitExit(Saver({"/p", "4711"}), 10000);
    ASSERT_TRUE(status);
    EXPECT_NE(*status, 0);
}

}  // namespace
}  // namespace cindral::e2e
