#pragma once
// Frame pacing where the display says when each presented frame is on the
// screen (its vertical blank). The next frame starts once the previous one
// was shown, but never sooner than the clock's 60 frames a second allow: a
// faster display skips vertical blanks and the fire keeps its speed. On a
// slower display a frame runs the fire steps the clock says are due (up to
// kMaxSteps), so the fire's speed does not change with the refresh rate
// either. A present not shown within the timeout hands the pace back to the
// clock until the display shows a frame again. Where the display never says
// anything (no present is pending), this is the clock's pacing alone.

#include <cstdint>

namespace cindral::saver {

class ShownFramePacer {
  public:
    // Fire steps one frame may run: enough for a 30 Hz display.
    static constexpr int kMaxSteps = 2;

    ShownFramePacer(int fps, std::int64_t timeoutUs);

    std::int64_t PeriodUs() const { return periodUs_; }

    // A frame starts at `nowUs`; returns the fire steps it runs (1 or more).
    int FrameStarted(std::int64_t nowUs);
    // The frame was presented; `pending`: the display will show it later and
    // say so (FrameShown).
    void FramePresented(std::int64_t nowUs, bool pending);
    // Whether the loop should watch for the display's FrameShown.
    bool AwaitsShown() const { return state_ != State::kClock; }
    // The display shows what was presented and takes new frames.
    void FrameShown();
    // When the next frame may start, as far as is known now.
    std::int64_t NextFrameUs() const;

  private:
    enum class State {
        kClock,     // nothing pending: the clock paces
        kAwaiting,  // a present waits for the display
        kStalled,   // a present outlived the timeout: the clock paces
    };
    std::int64_t periodUs_;
    std::int64_t timeoutUs_;
    std::int64_t next_ = 0;  // when the next fire step is due by the clock
    bool started_ = false;
    State state_ = State::kClock;
    std::int64_t presentedUs_ = 0;
    bool catchUp_ = false;  // the last frame waited for the display
};

}  // namespace cindral::saver
