// The real program's start-up under load and on displays it cannot use: one
// saver of many started together, a claim that ends with its process, refused
// X connections tried again, and failures named on standard error.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "saver_fixture.h"
#include "x_clients.h"

namespace cindral::e2e {
namespace {

// Living processes among `pids`.
int Living(const std::vector<pid_t>& pids) {
    int n = 0;
    for (pid_t p : pids) n += !WaitExit(p, 0);
    return n;
}

TEST_F(SaverE2E, OfTenStartsAtOnceExactlyOneRuns) {
    StartServer(640, 480, 24);
    // A long settings file to read between the look-up of windows and the
    // saver's own window: the copies overlap there.
    UseSettings(std::string(40u << 20, ';') + "\r\n" + MusicSettings(0));
    // Every pair of the modes that hold a window the rule looks for: the
    // saver with and without its letter, and the settings window, in equal
    // numbers, interleaved.
    using Args = std::vector<std::string>;
    const std::vector<std::vector<Args>> mixes = {
        std::vector<Args>(10, {"/s"}),
        {{"/s"}, {}, {"/s"}, {}, {"/s"}, {}, {"/s"}, {}, {"/s"}, {}},
        {{"/s"}, {"/c"}, {"/s"}, {"/c"}, {"/s"}, {"/c"}, {"/s"}, {"/c"}, {"/s"}, {"/c"}},
        std::vector<Args>(10, {"/c"}),
    };
    for (const auto& mix : mixes) {
        std::vector<pid_t> pids;
        {
            // All of them wait at their first request and then go on together.
            ServerGrab grab(*x_);
            ASSERT_TRUE(grab.Held());
            for (const auto& args : mix) pids.push_back(Start(args));
            std::this_thread::sleep_for(1000ms);
        }
        auto windows = [this] { return SaverWindows() + VisibleWindows("^Cindralの設定$"); };
        for (int i = 0; i < 100 && windows() == 0; ++i) std::this_thread::sleep_for(100ms);
        // Long enough for a late copy to show its window too.
        std::this_thread::sleep_for(1500ms);
        EXPECT_EQ(Living(pids), 1);
        EXPECT_EQ(windows(), 1u);
        for (pid_t p : pids) kill(p, SIGTERM);
        for (pid_t p : pids) EXPECT_TRUE(WaitExit(p, 2000));
        std::this_thread::sleep_for(100ms);
    }
}

TEST_F(SaverE2E, TheClaimEndsWithTheProcessThatHeldIt) {
    StartServer(640, 480, 24);
    pid_t first = Start({"/s"});
    ASSERT_TRUE(WaitForSaverWindow());
    // Killed outright: no clean-up of its own runs.
    kill(first, SIGKILL);
    ASSERT_TRUE(WaitExit(first, 1000));
    pid_t second = Start({"/s"});
    ASSERT_TRUE(WaitForSaverWindow()) << "a dead copy's claim still held";
    EXPECT_FALSE(WaitExit(second, 0));
}

TEST_F(SaverE2E, RefusedConnectionsAreTriedAgain) {
    // Every client slot of the server taken: connections are refused until
    // some are given back, a quarter of a second after the start.
    StartServer(640, 480, 24, {"-maxclients", "64"});
    HeldConnections held(*x_, 256);
    ASSERT_GT(held.Count(), 8u);
    Child c = StartChild({"/s"});
    std::this_thread::sleep_for(250ms);
    held.Close(8);
    EXPECT_TRUE(WaitForSaverWindow()) << ReadAll(c.stderrFd, 500);
    EXPECT_FALSE(WaitExit(c.pid, 0));
}

TEST_F(SaverE2E, ASaverThatCannotShowAnythingSaysWhyAndFails) {
    struct Case {
        const char* what;
        int depth;  // of the X server; 0 for none at all
        const char* said;
    };
    for (const Case c : {Case{"no X server", 0, "cannot open the X display"},
                         Case{"an 8-bit display", 8, "8 bits per pixel"}}) {
        SCOPED_TRACE(c.what);
        StartServer(640, 480, c.depth ? c.depth : 24);
        Env env;
        // A display number no server here uses.
        if (!c.depth) env["DISPLAY"] = ":65000";
        for (const std::vector<std::string>& args : {std::vector<std::string>{"/s"}, {}}) {
            Child child = StartChild(args, env);
            auto status = WaitExit(child.pid, 5000);
            std::string said = ReadAll(child.stderrFd, 500);
            ASSERT_TRUE(status);
            EXPECT_NE(*status, 0);
            EXPECT_NE(said.find(c.said), std::string::npos) << said;
        }
    }
}

TEST_F(SaverE2E, RunningOutOfMemoryIsNamedAndFails) {
    StartServer(640, 480, 24);
    // The program under an address-space limit: its status and what it said.
    auto underLimit = [this](std::size_t mib, const char* mode) {
        Child c = Spawn({"prlimit", "--as=" + std::to_string(mib << 20), program_.string(), mode},
                        ProgramEnv(), false, false, true);
        children_.push_back(c.pid);
        auto status = WaitExit(c.pid, 5000);
        std::string said = ReadAll(c.stderrFd, 500);
        close(c.stderrFd);
        return std::pair{status.value_or(-1), said};
    };
    // The smallest limit, in steps of 16 MiB, that an ordinary start fits in.
    UseSettings(MusicSettings(0));
    std::size_t fits = 32;
    while (fits < 4096 && underLimit(fits, "/x").first != 0) fits += 16;
    ASSERT_LT(fits, 4096u);
    // A settings file of 60 MiB (within the size the program reads) does not
    // fit 16 MiB more.
    UseSettings(std::string(60u << 20, ';') + "\r\n" + MusicSettings(0));
    for (const char* mode : {"/x", "/s"}) {
        SCOPED_TRACE(mode);
        auto [status, said] = underLimit(fits + 16, mode);
        EXPECT_EQ(status, 1) << "not 1: 134 is an abort";
        EXPECT_NE(said.find("cindral: out of memory"), std::string::npos) << said;
    }
}

}  // namespace
}  // namespace cindral::e2e
