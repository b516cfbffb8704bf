#include "saver/shown_frame_pacer.h"

#include <algorithm>

namespace cindral::saver {

ShownFramePacer::ShownFramePacer(int fps, std::int64_t timeoutUs)
    : periodUs_(1'000'000 / fps), timeoutUs_(timeoutUs) {}

int ShownFramePacer::FrameStarted(std::int64_t nowUs) {
    // A frame that starts while one is awaited started on the timeout.
    if (state_ == State::kAwaiting) state_ = State::kStalled;
    if (!started_) {
        next_ = nowUs;
        started_ = true;
    }
    int steps = 1;
    if (catchUp_) {
        // The display's wait made this frame late: the steps the clock owes.
        while (steps < kMaxSteps && nowUs - next_ >= periodUs_) {
            next_ += periodUs_;
            ++steps;
        }
    }
    catchUp_ = false;
    // Further behind, the schedule moves instead of producing a burst.
    if (nowUs - next_ >= periodUs_) next_ = nowUs;
    next_ += periodUs_;
    return steps;
}

void ShownFramePacer::FramePresented(std::int64_t nowUs, bool pending) {
    if (!pending) {
        // Nothing in flight: a stall, if any, is over.
        state_ = State::kClock;
        return;
    }
    if (state_ == State::kStalled) return;
    state_ = State::kAwaiting;
    presentedUs_ = nowUs;
}

void ShownFramePacer::FrameShown() {
    catchUp_ = state_ == State::kAwaiting;
    state_ = State::kClock;
}

std::int64_t ShownFramePacer::NextFrameUs() const {
    if (state_ == State::kAwaiting) return std::max(next_, presentedUs_ + timeoutUs_);
    return next_;
}

}  // namespace cindral::saver
