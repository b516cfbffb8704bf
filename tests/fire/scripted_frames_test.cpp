// The scripted run: frames 16 ms apart, spark bursts at the saver's cadence
// served before the frame they fell due in.

#include "fire/scripted_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/memory_surface.h"

namespace cindral::fire {
namespace {

// "B" for a burst, the frame number for a frame, the clock as each frame saw it.
struct Trace {
    std::string events;
    std::vector<std::uint32_t> frameTicks;
};

Trace TraceRun(std::int16_t kind, int frames, int stopAfter = 0) {
    ScriptedClock clock;
    clock.FollowKind(kind);
    Trace t;
    int n = 0;
    RunScriptedFrames(
        clock, frames,
        [&] {
            t.events += std::to_string(++n) + " ";
            t.frameTicks.push_back(clock.Now());
        },
        [&] { t.events += "B "; }, [&](int frame) { return frame != stopAfter; });
    return t;
}

TEST(ScriptedFrames, BurstsComeAtTheKindsCadenceBeforeTheirFrame) {
    struct Case {
        std::int16_t kind;
        int frames;
        std::string events;
    };
    // Kind 2 bursts every 100 ms: the ticks at 112, 208 and 304 ms (frames 7,
    // 13, 19). Other kinds and option strings (-1) every 2 s: frame 125 is at
    // exactly 2000 ms.
    const Case cases[] = {
        {2, 19, "1 2 3 4 5 6 B 7 8 9 10 11 12 B 13 14 15 16 17 18 B 19 "},
        {0, 3, "1 2 3 "},
        {6, 3, "1 2 3 "},
        {-1, 3, "1 2 3 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TraceRun(c.kind, c.frames).events, c.events) << "kind " << c.kind;
    }
    for (const std::int16_t kind : {0, 1, 3, 9, -1}) {
        const Trace t = TraceRun(kind, 250);
        std::string expected;
        for (int f = 1; f <= 250; ++f) {
            if (f == 125 || f == 250) expected += "B ";
            expected += std::to_string(f) + " ";
        }
        EXPECT_EQ(t.events, expected) << "kind " << kind;
    }
}

TEST(ScriptedFrames, FramesAreSixteenMillisecondsApartAndAfterCanStopTheRun) {
    const Trace t = TraceRun(0, 4);
    EXPECT_EQ(t.frameTicks, (std::vector<std::uint32_t>{16, 32, 48, 64}));
    EXPECT_EQ(TraceRun(2, 40, 7).events, "1 2 3 4 5 6 B 7 ");
}

// An engine that records its calls; its Load picks `chosenKind`, as the
// random kind picks one of the others.
struct RecordingEngine {
    explicit RecordingEngine(std::int16_t kind, bool loadsOk = true)
        : chosenKind(kind), loads(loadsOk) {}
    std::int16_t chosenKind;
    bool loads;
    std::string calls;
    int loadedDepth = 0;
    bool Load(std::int16_t& kind, int, int depth) {
        kind = chosenKind;
        loadedDepth = depth;
        calls += "L ";
        return loads;
    }
    void Frame(display::Surface&) { calls += "F "; }
    void EmitBurst() { calls += "B "; }
};

TEST(ScriptedFrames, LoadAndRunFramesBurstsAtTheCadenceOfTheKindLoaded) {
    display::MemorySurface back(display::kBackWidth, display::kBackHeight, 16);
    {
        ScriptedClock clock;
        RecordingEngine engine{2};
        ASSERT_TRUE(LoadAndRunFrames(engine, clock, 8, 0, back, 7));
        EXPECT_EQ(engine.calls, "L F F F F F F B F ");
        EXPECT_EQ(engine.loadedDepth, 16);  // the surface's depth
        EXPECT_EQ(clock.Now(), 7 * ScriptedClock::kFrameMs);
    }
    {
        ScriptedClock clock;
        RecordingEngine engine{0};
        ASSERT_TRUE(LoadAndRunFrames(engine, clock, 2, 0, back, 7));
        EXPECT_EQ(engine.calls, "L F F F F F F F ");
    }
    {
        ScriptedClock clock;
        RecordingEngine engine{0, false};  // the kind ends the program
        EXPECT_FALSE(LoadAndRunFrames(engine, clock, 0, 0, back, 7));
        EXPECT_EQ(engine.calls, "L ");
        EXPECT_EQ(clock.Now(), 0u);
    }
}

}  // namespace
}  // namespace cindral::fire
