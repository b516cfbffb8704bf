#pragma once
// A private Xvfb, windows made by the test, and the real program started in
// hack mode against them.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e_support.h"
#include "fire_checks.h"
#include "test_media.h"

namespace cindral::e2e {

using namespace std::chrono_literals;
// Tones, WAV files and the reader of what the disk audio driver wrote.
namespace media = platform::audio::test_support;

inline double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Whether `done` comes true within `timeoutMs`, looking every 50 ms.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

inline std::string Hex(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

// Fraction of the pixels of a region (x0 <= x < x1, y0 <= y < y1) that differ.
inline double RegionDiffers(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1) {
    long diff = 0, all = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x, ++all) {
            diff += a.R(x, y) != b.R(x, y) || a.G(x, y) != b.G(x, y) || a.B(x, y) != b.B(x, y);
        }
    }
    return all ? static_cast<double>(diff) / all : 0.0;
}

class HackE2E : public ::testing::Test {
  protected:
    // Blue is no fire colour (fire has red >= green >= blue): any part of a
    // test window the program leaves undrawn shows up.
    static constexpr const char* kBlue = "0x0000ff";

    void StartServer(int width, int height, bool anyClient = false, int depth = 24) {
        x_.reset();
        if (auto x = XServer::Xvfb(width, height, depth, anyClient)) x_.emplace(std::move(*x));
        ASSERT_TRUE(x_) << "Xvfb did not start";
        width_ = width;
        height_ = height;
    }
    void TearDown() override {
        for (pid_t p : children_) KillAndReap(p);
    }
    Env ProgramEnv() const {
        Env env = x_->ClientEnv();
        env["XDG_CONFIG_HOME"] = home_.path().string();
        env["HOME"] = home_.path().string();
        env["SDL_AUDIODRIVER"] = "disk";
        env["SDL_DISKAUDIOFILE"] = home_ / "audio.raw";
        return env;
    }
    pid_t StartProgram(const std::string& program, const std::vector<std::string>& args, Env env) {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_t pid = Spawn(argv, env).pid;
        children_.push_back(pid);
        return pid;
    }
    pid_t StartHack(const std::vector<std::string>& args, const Env& extra = {}) {
        Env env = ProgramEnv();
        for (const auto& [k, v] : extra) env[k] = v;
        return StartProgram(BinDir() + "/cindral", args, env);
    }
    // A window of the test at (10, 10); it lives until `Close`.
    struct TestWindow {
        Child child;
        unsigned long id = 0;
    };
    TestWindow MakeWindow(int w, int h, const std::string& caption = "daemon") {
        Child c = Spawn({BinDir() + "/cindral-test-window", "--name", caption, "--width",
                         std::to_string(w), "--height", std::to_string(h), "--background", kBlue},
                        x_->ClientEnv(), true, true);
        children_.push_back(c.pid);
        std::string id = ReadLine(c.stdoutFd, 5000);
        return {c, id.empty() ? 0ul : std::stoul(id)};
    }
    void Close(TestWindow& w) {
        close(w.child.stdinFd);
        WaitExit(w.child.pid, 2000);
    }
    std::string Xdo(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        return Capture(argv, x_->ClientEnv());
    }
    Picture Shot(unsigned long window, int w, int h) {
        return Screenshot(*x_, std::to_string(window), w, h);
    }
    Picture RootShot() { return Screenshot(*x_, "root", width_, height_); }
    std::optional<double> WaitForFire(const std::string& window, int w, int h) {
        return e2e::WaitForFire(*x_, window, w, h);
    }
    // The program's fire appears, covers the picture and moves between two
    // looks at it.
    void ExpectFireAppearsAndMoves(const std::string& window, int w, int h) {
        EXPECT_TRUE(WaitForFire(window, w, h)) << window << ": no fire within 10 s";
        ExpectMovingFire(*x_, window, w, h);
    }

    std::optional<XServer> x_;
    int width_ = 0, height_ = 0;
    std::vector<pid_t> children_;
    media::TempDir home_;
};

}  // namespace cindral::e2e
