#pragma once
// The fixture of the end-to-end tests of the real program: a private X server,
// the program started with a private settings folder, xdotool input.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

#include "e2e_support.h"

namespace cindral::e2e {

using namespace std::chrono_literals;

inline std::string Cindral() { return BinDir() + "/cindral"; }
inline std::string TestWindow() { return BinDir() + "/cindral-test-window"; }

inline double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// The settings file lines that choose music `kind` (1: audio CD, 2: `file`).
inline std::string MusicSettings(int kind, const std::string& file = {}) {
    return "[Section]\r\nBGM\x8B\xE6\x95\xAA= " + std::to_string(kind) +
           "\r\nBGM\xCC\xA7\xB2\xD9=" + file + "\r\n";
}

class SaverE2E : public ::testing::Test {
  protected:
    void StartServer(int width, int height, int depth,
                     const std::vector<std::string>& extraArgs = {}) {
        x_.reset();
        if (auto x = XServer::Xvfb(width, height, depth, false, extraArgs))
            x_.emplace(std::move(*x));
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
    pid_t Start(const std::vector<std::string>& args) { return StartChild(args, {}, false).pid; }
    // The program with `env` over the usual environment, and its standard
    // error in `stderrFd` when asked for.
    Child StartChild(const std::vector<std::string>& args, const Env& env = {},
                     bool pipeStderr = true) {
        std::vector<std::string> argv{program_.empty() ? Cindral() : program_.string()};
        argv.insert(argv.end(), args.begin(), args.end());
        Env all = ProgramEnv();
        for (const auto& [k, v] : env) all[k] = v;
        Child c = Spawn(argv, all, false, false, pipeStderr);
        children_.push_back(c.pid);
        return c;
    }
    // Visible windows whose caption matches `pattern`.
    std::size_t VisibleWindows(const std::string& pattern) {
        std::string ids = Xdo({"search", "--onlyvisible", "--name", pattern});
        return static_cast<std::size_t>(std::count(ids.begin(), ids.end(), '\n'));
    }
    std::size_t SaverWindows() { return VisibleWindows("^Cindral_Main$"); }
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
    // Later starts run a copy of the program in a folder of its own, with
    // `settings` as the settings file beside it (where the program looks
    // first).
    void UseSettings(const std::string& settings) {
        namespace fs = std::filesystem;
        if (program_.empty()) {
            copyDir_ = fs::temp_directory_path() / ("cindral-e2e-" + std::to_string(getpid()));
            fs::create_directories(copyDir_);
            program_ = copyDir_ / "cindral";
            fs::copy_file(Cindral(), program_, fs::copy_options::overwrite_existing);
        }
        std::ofstream(copyDir_ / "Cindral.ini", std::ios::binary) << settings;
    }
    ~SaverE2E() override {
        std::error_code ec;
        if (!copyDir_.empty()) std::filesystem::remove_all(copyDir_, ec);
    }

    std::filesystem::path home_ = std::filesystem::temp_directory_path();
    std::filesystem::path program_, copyDir_;
};

}  // namespace cindral::e2e
