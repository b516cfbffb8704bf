// The frame loop: 60 frames a second (and no sooner than the display shows
// the last frame, where it presents at its vertical blank), timers served
// between frames, the event
// pump asked to wait exactly as long as nothing is due, input dropped once the
// saver has ended, and a stop request ending it as a key would.

#include "saver/frame_loop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fakes.h"

namespace cindral::saver {
namespace {

using namespace fakes;

// An event queue on the fake clock: waiting moves the clock on to the first
// scripted event or to the end of the wait, whichever comes first.
struct ScriptedPump : EventPump {
    struct Scripted {
        std::int64_t atUs;
        std::function<void(SaverInput&)> deliver;
    };
    FakeClock& clock;
    std::vector<Scripted> queue;
    std::vector<std::uint32_t> waits;
    bool stop = false;
    explicit ScriptedPump(FakeClock& c) : clock(c) {}

    void At(std::int64_t atUs, std::function<void(SaverInput&)> deliver) {
        queue.push_back({atUs, std::move(deliver)});
    }
    void WaitAndDispatch(std::uint32_t timeoutMs, SaverInput& input) override {
        waits.push_back(timeoutMs);
        const std::int64_t end = clock.us + std::int64_t{timeoutMs} * 1000;
        if (!queue.empty() && queue.front().atUs <= end) {
            clock.us = std::max(clock.us, queue.front().atUs);
        } else {
            clock.us = end;
        }
        while (!queue.empty() && queue.front().atUs <= clock.us) {
            auto deliver = queue.front().deliver;
            queue.erase(queue.begin());
            deliver(input);
        }
    }
    bool StopRequested() override { return stop; }
};

class Loop : public SaverRig {
  protected:
    FrameLoop& Start() {
        Loaded();
        loop = std::make_unique<FrameLoop>(*saver, pump, clock);
        return *loop;
    }
    std::int64_t Ms(std::int64_t ms) const { return start + ms * 1000; }

    ScriptedPump pump{clock};
    const std::int64_t start = clock.us;
    std::unique_ptr<FrameLoop> loop;
};

TEST_F(Loop, WaitsUntilTheNextFrameAndAtLeastOneMillisecond) {
    // Frames are 16 666 us apart. The pump waits 16 ms, then the 0.666 ms left
    // (rounded up to 1 ms), then takes what is queued as the frame is due.
    FrameLoop& l = Start();
    ASSERT_TRUE(l.RunOnce());
    EXPECT_EQ(pump.waits, (std::vector<std::uint32_t>{16, 1, 0}));
    EXPECT_EQ(clock.us, Ms(17));
    // The second frame starts at 17 ms and is due at 33.332 ms: the schedule
    // holds, so the rate stays at 60 frames a second.
    pump.waits.clear();
    ASSERT_TRUE(l.RunOnce());
    EXPECT_EQ(pump.waits, (std::vector<std::uint32_t>{16, 1, 0}));
    EXPECT_EQ(clock.us, Ms(34));
    EXPECT_EQ(log, (Log{"Frame", "PresentFrame", "Frame", "PresentFrame"}));
}

TEST_F(Loop, ATimerDueBeforeTheFrameShortensTheWaitAndTicksBetweenFrames) {
    state.settings.FireKind = 2;  // a spark burst every 100 ms from the load
    Loaded();
    clock.AdvanceMs(95);
    FrameLoop l(*saver, pump, clock);
    ASSERT_TRUE(l.RunOnce());
    // Frame at 95 ms, next due at 111.666 ms: wait 5 ms for the burst at 100,
    // then 11 ms, then the 0.666 ms left as 1 ms.
    EXPECT_EQ(pump.waits, (std::vector<std::uint32_t>{5, 11, 1, 0}));
    EXPECT_EQ(log, (Log{"Frame", "PresentFrame", "EmitBurst"}));
}

TEST_F(Loop, ALateFrameTakesQueuedInputWithoutWaiting) {
    FrameLoop& l = Start();
    ASSERT_TRUE(l.RunOnce([&] { clock.AdvanceMs(20); }));  // a 20 ms frame
    EXPECT_EQ(pump.waits, (std::vector<std::uint32_t>{0}));
}

TEST_F(Loop, InputAfterTheEndingKeyIsDropped) {
    state.settings.MusicKind = 1;  // CD music: the arrows skip tracks
    FrameLoop& l = Start();
    pump.At(Ms(5), [](SaverInput& in) { in.KeyDown(Key::Right); });
    pump.At(Ms(5), [](SaverInput& in) { in.KeyDown(Key::Other); });
    pump.At(Ms(5), [](SaverInput& in) { in.KeyDown(Key::Left); });
    pump.At(Ms(5), [](SaverInput& in) { in.MouseDown(); });
    EXPECT_FALSE(l.RunOnce());
    EXPECT_EQ(Count("CdNextTrack"), 1);
    EXPECT_EQ(Count("CdPrevTrack"), 0);
    EXPECT_EQ(Count("Unload"), 1);
    EXPECT_FALSE(saver->Running());
}

TEST_F(Loop, EndsWithoutAPasswordOnAStopRequestOrAClosedWindowButAsksOnAKey) {
    struct Case {
        std::string name;
        std::function<void()> end;  // after the first frame
        bool asksPassword;
    };
    const std::vector<Case> cases = {
        {"stop request", [this] { pump.stop = true; }, false},
        {"window closed", [this] { pump.At(clock.us, [](SaverInput& in) { in.EndSaver(); }); },
         false},
        {"key", [this] { pump.At(clock.us, [](SaverInput& in) { in.KeyDown(Key::Other); }); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        pump.stop = false;
        pump.queue.clear();
        state.ModeLetter = 'S';
        system.asksPassword = true;  // the family whose saver asks for the password itself
        FrameLoop& l = Start();
        int hooks = 0;
        const long frames = l.Run([&] {
            ++hooks;
            c.end();
        });
        EXPECT_EQ(frames, 1);
        EXPECT_EQ(hooks, 1);
        EXPECT_EQ(Count("AskSaverPassword(77)"), c.asksPassword ? 1 : 0);
        EXPECT_EQ(Count("Unload"), 1);
        EXPECT_FALSE(saver->Running());
    }
}

TEST_F(Loop, RunCallsTheFirstFrameHookOnceAndCountsFrames) {
    FrameLoop& l = Start();
    pump.At(Ms(40), [](SaverInput& in) { in.MouseDown(); });
    int hooks = 0;
    // Frames start at 0, 17 and 34 ms; the click at 40 ms ends the saver.
    EXPECT_EQ(l.Run([&] {
        ++hooks;
        log.push_back("hook");
    }),
              3);
    EXPECT_EQ(hooks, 1);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ((Log{log[0], log[1], log[2]}), (Log{"Frame", "PresentFrame", "hook"}));
    EXPECT_FALSE(l.RunOnce());  // over: no further frame
    EXPECT_EQ(Count("Frame"), 3);
}

TEST_F(Loop, AtTheVerticalBlankTheNextFrameWaitsUntilTheDisplayShowsTheLast) {
    struct Case {
        const char* what;
        std::int64_t shownAtMs;  // -1: never
        std::vector<std::uint32_t> waits;
        std::int64_t nextFrameAtMs;
        Log secondFrame;
    };
    const std::vector<Case> cases = {
        // Shown after the clock's 16.666 ms: the frame starts at once.
        {"shown at 20 ms", 20, {66, 0}, 20, {"Frame", "PresentFrame"}},
        // Shown late: the frame runs the fire step the clock owes too.
        {"shown at 40 ms", 40, {66, 0}, 40, {"Frame", "Frame", "PresentFrame"}},
        // Never shown: the wait ends on the four-frame timeout.
        {"never shown", -1, {66, 1, 0}, 67, {"Frame", "PresentFrame"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        display.showsAtVerticalBlank = true;
        FrameLoop& l = Start();
        const std::int64_t frameStart = clock.us;
        pump.waits.clear();
        pump.queue.clear();
        if (c.shownAtMs >= 0) {
            pump.At(frameStart + c.shownAtMs * 1000,
                    [this](SaverInput&) { display.pending = false; });
        }
        ASSERT_TRUE(l.RunOnce());
        EXPECT_EQ(pump.waits, c.waits);
        EXPECT_EQ(clock.us, frameStart + c.nextFrameAtMs * 1000);
        log.clear();
        ASSERT_TRUE(l.RunOnce());
        EXPECT_EQ(log, c.secondFrame);
    }
}

TEST_F(Loop, AStopRequestedBeforeTheFirstFrameRunsNone) {
    FrameLoop& l = Start();
    pump.stop = true;
    EXPECT_EQ(l.Run(), 0);
    EXPECT_EQ(Count("Frame"), 0);
    EXPECT_EQ(Count("Unload"), 1);
}

}  // namespace
}  // namespace cindral::saver
