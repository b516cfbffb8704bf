#pragma once
// Frame pacing of the saver loop: at most `fps` frames a second. Particle
// speeds are per frame, so an unpaced loop would run the fire many times too
// fast on current hardware and hold a whole core.

#include <cstdint>

namespace cindral::saver {

class FramePacer {
  public:
    explicit FramePacer(int fps) : periodUs_(1'000'000 / fps) {}

    std::int64_t PeriodUs() const { return periodUs_; }

    // Call when a frame starts; returns the time the next frame may start.
    // A frame that started late moves the schedule instead of producing a
    // burst of catch-up frames.
    std::int64_t FrameStarted(std::int64_t nowUs) {
        if (!started_ || nowUs - next_ >= periodUs_) {
            next_ = nowUs;
            started_ = true;
        }
        next_ += periodUs_;
        return next_;
    }

  private:
    std::int64_t periodUs_;
    std::int64_t next_ = 0;
    bool started_ = false;
};

}  // namespace cindral::saver
