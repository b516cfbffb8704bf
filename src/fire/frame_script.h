#pragma once
// A scripted stand-in for the saver's clock and burst timer, for stills,
// benchmarks and tests: a frame every `frameMs`, a burst tick every `burstMs`.

#include <cstdint>

namespace cindral::fire {

struct FrameScript {
    std::uint32_t frameMs = 16;
    std::uint32_t burstMs = 2000;
    std::uint32_t now = 0;

    // Moves the clock on by one frame; returns the burst ticks that fell due
    // since the previous frame (served before the frame, as the saver does).
    int Advance() {
        const std::uint32_t before = now;
        now += frameMs;
        return burstMs == 0 ? 0 : static_cast<int>(now / burstMs - before / burstMs);
    }
};

}  // namespace cindral::fire
