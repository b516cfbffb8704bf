#pragma once
// Shared scripting for tests that run whole fires: the same clock and burst
// cadence for every engine under comparison.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fire/scripted_frames.h"

namespace cindral::fire::test_support {

inline constexpr std::uint64_t kSeed = 20240611;

struct Scenario {
    std::string name;
    std::int16_t kind;    // used when options is empty
    std::string options;  // a custom option string instead of a kind
    int frames;
};

// Runs `frames` frames on each engine in lock step on the scripted clock
// (bursts at the cadence of the scenario's kind, a custom option string
// bursting as any kind but 2); `check(frame)` runs after every frame, and the
// run stops at its first fatal failure.
template <typename Step, typename Burst, typename Check>
void RunScripted(const Scenario& s, ScriptedClock& clock, Step step, Burst burst, Check check) {
    clock.FollowKind(s.options.empty() ? s.kind : std::int16_t{-1});
    RunScriptedFrames(clock, s.frames, step, burst, [&](int frame) {
        check(frame);
        return !::testing::Test::HasFatalFailure();
    });
}

}  // namespace cindral::fire::test_support
