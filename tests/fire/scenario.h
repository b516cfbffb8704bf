#pragma once
// Shared scripting for tests that run whole fires: the same clock and burst
// cadence for every engine under comparison.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fire/burst_cadence.h"
#include "fire/frame_script.h"

namespace cindral::fire::testing {

inline constexpr std::uint64_t kSeed = 20240611;

struct Scenario {
    std::string name;
    std::int16_t kind;    // used when options is empty
    std::string options;  // a custom option string instead of a kind
    int frames;
};

// Runs `frames` frames on each engine in lock step: the scripted clock moves
// 16 ms per frame, burst ticks fall due every 2 s (100 ms for kind 2) and are
// served before the frame; `check(frame)` runs after every frame,
// and the run stops at its first fatal failure.
template <typename Step, typename Burst, typename Check>
void RunScripted(const Scenario& s, FrameScript& clock, Step step, Burst burst, Check check) {
    clock.burstMs = BurstIntervalMs(s.options.empty() ? s.kind : std::int16_t{-1});
    for (int f = 1; f <= s.frames; ++f) {
        for (int due = clock.Advance(); due > 0; --due) burst();
        step();
        check(f);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace cindral::fire::testing
