#pragma once
// Starting the real program on a headless compositor and timing its end.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e_support.h"
#include "fire_checks.h"
#include "wayland_support.h"

namespace cindral::e2e {

inline std::string Program() { return BinDir() + "/cindral"; }

// The program with a private settings file (the build folder's would be
// shared by every test), on compositor `c`.
inline Child StartCindral(const Compositor& c, const std::vector<std::string>& args,
                          Env extra = {}) {
    Env env = c.ClientEnv();
    env["XDG_CONFIG_HOME"] = c.RuntimeDir() + "/config";
    for (const auto& [k, v] : extra) env[k] = v;
    std::vector<std::string> argv{Program()};
    argv.insert(argv.end(), args.begin(), args.end());
    return Spawn(argv, env, false, false, true);
}

// Milliseconds from now until `pid` ends, polling every 2 ms; nothing when
// it is still running after `timeoutMs`. The status goes to `status`.
inline std::optional<double> MsUntilExit(pid_t pid, int timeoutMs, int* status = nullptr) {
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::milliseconds(timeoutMs)) {
        int raw = 0;
        if (waitpid(pid, &raw, WNOHANG) == pid) {
            if (status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

inline bool StillRunning(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

// The program's own limit is 200 ms; the tests allow for a loaded machine
// (two cores shared with other builds) and print what they measured.
inline constexpr double kEndLimitMs = 500;

// Fire as the checks see it: only fire colours, and mostly red-dominated
// (sway's empty desktop is an even grey, which is "fire-coloured" too).
inline bool ShowsFire(const Picture& p) {
    if (p.rgb.empty() || !FireColoursOnly(p, 0, p.width)) return false;
    long red = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) red += p.R(x, y) > p.B(x, y) + 32;
    }
    return red > 0.3 * p.width * p.height;
}

// Lit, only fire colours, and moving between two screenshots 300 ms apart.
inline void ExpectMovingFireOn(const Compositor& c, const std::string& output) {
    ASSERT_TRUE(WaitForOutputFire(c, output)) << output << " never showed fire";
    Picture a = c.Grab(output);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Picture b = c.Grab(output);
    ASSERT_FALSE(a.rgb.empty() || b.rgb.empty()) << output;
    EXPECT_GT(LitFraction(a, 0, a.width), 0.3) << output;
    EXPECT_TRUE(FireColoursOnly(a, 0, a.width)) << output << ": part of it is not drawn";
    EXPECT_GT(DifferingFraction(a, b, 0, a.width), 0.05) << output << ": no motion";
}

}  // namespace cindral::e2e
