#pragma once
// The one scripted run of a fire outside the saver window (preview still,
// still tool, tests, benchmark): frames 16 ms apart on a scripted clock, with
// the spark bursts that fell due served before each frame, as the saver's
// frame loop does.

#include <cstdint>

#include "display/frame_rate.h"
#include "display/ports.h"
#include "fire/fire_options.h"

namespace cindral::fire {

// The saver's clock and burst timer, scripted.
class ScriptedClock {
  public:
    static constexpr std::uint32_t kFrameMs = display::kFramePeriodMs;

    // The tick the engines read (milliseconds since the run began).
    std::uint32_t Now() const { return now_; }
    // Bursts follow the cadence of `fireKind` (see SparkBurstIntervalMs).
    void FollowKind(std::int16_t fireKind) { burstMs_ = SparkBurstIntervalMs(fireKind); }

    // Moves the clock on by one frame; returns the burst ticks that fell due
    // since the previous frame.
    int Advance() {
        const std::uint32_t before = now_;
        now_ += kFrameMs;
        return static_cast<int>(now_ / burstMs_ - before / burstMs_);
    }

  private:
    std::uint32_t now_ = 0;
    std::uint32_t burstMs_ = SparkBurstIntervalMs(-1);
};

// Runs `frames` frames: per frame the clock moves on, `burst()` runs once per
// burst tick due, then `frame()`, then `after(n)` with the frame's number from
// 1; `after` returning false ends the run. Returns the frames run.
template <typename Frame, typename Burst, typename After>
int RunScriptedFrames(ScriptedClock& clock, int frames, Frame frame, Burst burst, After after) {
    for (int n = 1; n <= frames; ++n) {
        for (int due = clock.Advance(); due > 0; --due) burst();
        frame();
        if (!after(n)) return n;
    }
    return frames;
}

// Loads fire kind `kind` into `engine` (a FireEngine, or anything with its
// Load, Frame and EmitBurst) whose tick source is `clock`, then runs `frames`
// frames into `back`. False when the kind ends the program (no palette).
template <typename Engine>
bool LoadAndRunFrames(Engine& engine, ScriptedClock& clock, std::int16_t kind,
                      int secondsSinceMidnight, display::Surface& back, int frames) {
    if (!engine.Load(kind, secondsSinceMidnight, back.BitsPerPixel())) return false;
    clock.FollowKind(kind);
    RunScriptedFrames(
        clock, frames, [&] { engine.Frame(back); }, [&] { engine.EmitBurst(); },
        [](int) { return true; });
    return true;
}

}  // namespace cindral::fire
