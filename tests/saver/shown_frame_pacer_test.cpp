// Frame pacing: at most 60 frames a second by the clock; where the display
// shows presents at its vertical blank, the next frame waits for the last to
// be shown, the fire keeps 60 steps a second at any refresh rate from 30 Hz
// up, and a present that is never shown hands the pace back to the clock.

#include "saver/shown_frame_pacer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace cindral::saver {
namespace {

constexpr std::int64_t kTimeoutUs = 66'666;

TEST(ShownFramePacer, ByTheClockHoldsSixtyFramesASecondWithoutCatchUpBursts) {
    ShownFramePacer pacer(60, kTimeoutUs);
    EXPECT_EQ(pacer.PeriodUs(), 16666);
    struct Step {
        std::int64_t startUs;
        std::int64_t nextUs;
    };
    const std::vector<Step> steps = {
        {1'000'000, 1'016'666},
        // Slightly late: the schedule holds, so the average rate stays at 60.
        {1'020'000, 1'033'332},
        // A frame a whole period late restarts the schedule from now, with
        // no extra fire step: nothing waited for a display.
        {1'100'000, 1'116'666},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.startUs);
        EXPECT_EQ(pacer.FrameStarted(s.startUs), 1);
        pacer.FramePresented(s.startUs + 1000, false);
        EXPECT_FALSE(pacer.AwaitsShown());
        EXPECT_EQ(pacer.NextFrameUs(), s.nextUs);
    }
}

// A display with a vertical blank every `periodUs`, driven as the frame loop
// drives the pacer: a frame takes 1 ms, its present is shown at the next
// vertical blank, the loop hears of it then and starts the next frame when
// the pacer says.
struct DisplayRun {
    int frames = 0;
    int fireSteps = 0;
};
DisplayRun RunAgainstDisplay(double refreshHz, std::int64_t seconds) {
    ShownFramePacer pacer(60, kTimeoutUs);
    const double period = 1e6 / refreshHz;
    DisplayRun run;
    std::int64_t t = 0;
    while (t < seconds * 1'000'000) {
        run.fireSteps += pacer.FrameStarted(t);
        ++run.frames;
        t += 1000;
        pacer.FramePresented(t, true);
        const auto shown =
            static_cast<std::int64_t>((static_cast<std::int64_t>(t / period) + 1) * period);
        if (shown < pacer.NextFrameUs()) {
            pacer.FrameShown();
            t = std::max(shown, pacer.NextFrameUs());
        } else {
            t = pacer.NextFrameUs();
        }
    }
    return run;
}

TEST(ShownFramePacer, AtTheVerticalBlankFramesFollowTheDisplayButTheFireKeepsItsSpeed) {
    struct Case {
        double hz;
        int framesPerSecond;  // shown frames
    };
    const std::vector<Case> cases = {
        {240, 60}, {144, 60}, {120, 60}, {75, 60}, {60, 60}, {59.94, 60}, {50, 50}, {30, 30},
    };
    constexpr int kSeconds = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        const DisplayRun run = RunAgainstDisplay(c.hz, kSeconds);
        EXPECT_NEAR(run.frames, c.framesPerSecond * kSeconds, 2);
        EXPECT_NEAR(run.fireSteps, 60 * kSeconds, 2);
    }
}

TEST(ShownFramePacer, APresentNeverShownHandsThePaceToTheClockUntilOneIs) {
    ShownFramePacer pacer(60, kTimeoutUs);
    struct Step {
        const char* what;
        std::int64_t startUs;
        bool pending;     // after the frame's present
        bool shownAfter;  // the display then shows it
        std::int64_t nextUs;
        bool awaits;
    };
    const std::vector<Step> steps = {
        {"shown in time: the clock's due time", 0, true, true, 16'666, false},
        {"awaited: the timeout bounds the wait", 16'666, true, false, 16'666 + kTimeoutUs, true},
        // The frame on the timeout: the display still holds the old present.
        {"stalled: the clock paces", 83'332, true, false, 99'998, true},
        {"still stalled", 99'998, true, false, 116'664, true},
        // The display shows again: the next present is awaited once more.
        {"recovered", 116'664, true, true, 133'330, false},
        {"awaited again", 133'330, true, false, 133'330 + kTimeoutUs, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(pacer.FrameStarted(s.startUs), 1);
        pacer.FramePresented(s.startUs, s.pending);
        if (s.shownAfter) pacer.FrameShown();
        EXPECT_EQ(pacer.NextFrameUs(), s.nextUs);
        EXPECT_EQ(pacer.AwaitsShown(), s.awaits);
    }
}

TEST(ShownFramePacer, NothingToPresentEndsAStallAndPacesByTheClock) {
    ShownFramePacer pacer(60, kTimeoutUs);
    pacer.FrameStarted(0);
    pacer.FramePresented(0, true);
    pacer.FrameStarted(kTimeoutUs);  // on the timeout: stalled
    pacer.FramePresented(kTimeoutUs, false);
    EXPECT_FALSE(pacer.AwaitsShown());
    EXPECT_EQ(pacer.NextFrameUs(), kTimeoutUs + 16'666);
}

TEST(ShownFramePacer, AFrameLateOnTheDisplayRunsAtMostTwoFireSteps) {
    ShownFramePacer pacer(60, 200'000);
    pacer.FrameStarted(0);
    pacer.FramePresented(0, true);
    pacer.FrameShown();  // heard of only 100 ms later
    EXPECT_EQ(pacer.FrameStarted(100'000), ShownFramePacer::kMaxSteps);
    EXPECT_EQ(pacer.NextFrameUs(), 116'666);  // the schedule moved on
}

}  // namespace
}  // namespace cindral::saver
