#include "saver/frame_loop.h"

#include <algorithm>

namespace cindral::saver {

FrameLoop::FrameLoop(SaverWindow& saver, EventPump& events, SaverClock& clock)
    : saver_(saver), events_(events), clock_(clock) {}

bool FrameLoop::Ended() {
    if (!saver_.Running()) return true;
    if (!events_.StopRequested()) return false;
    // A stop request ends the saver with the same clean-up as a key press.
    saver_.EndSaver();
    return true;
}

bool FrameLoop::RunOnce(const std::function<void()>& afterFrame) {
    if (Ended()) return false;
    saver_.RunFrame(pacer_.FrameStarted(clock_.TickUs()));
    pacer_.FramePresented(clock_.TickUs(), saver_.PresentPending());
    ++frames_;
    if (afterFrame) afterFrame();
    MessageStep();
    return !Ended();
}

void FrameLoop::NoteShown() {
    if (pacer_.AwaitsShown() && !saver_.PresentPending()) pacer_.FrameShown();
}

void FrameLoop::MessageStep() {
    for (;;) {
        saver_.ServeTimers();
        if (Ended()) return;
        NoteShown();
        const std::int64_t waitUs = pacer_.NextFrameUs() - clock_.TickUs();
        if (waitUs <= 0) {
            // The frame is due: take what is queued, without waiting.
            events_.WaitAndDispatch(0, *this);
            return;
        }
        std::int64_t waitMs = waitUs / 1000;
        const std::int64_t timerMs = saver_.MsUntilNextTimer();
        if (timerMs >= 0) waitMs = std::min(waitMs, timerMs);
        // At least 1 ms: a wait of 0 would spin until a timer or frame that is
        // less than a millisecond away.
        events_.WaitAndDispatch(static_cast<std::uint32_t>(std::max<std::int64_t>(waitMs, 1)),
                                *this);
    }
}

long FrameLoop::Run(const std::function<void()>& onFirstFrame) {
    const long before = frames_;
    std::function<void()> afterFrame = onFirstFrame;
    while (RunOnce(afterFrame)) afterFrame = nullptr;
    return frames_ - before;
}

void FrameLoop::KeyDown(Key key) {
    if (saver_.Running()) saver_.KeyDown(key);
}

void FrameLoop::MouseDown() {
    if (saver_.Running()) saver_.MouseDown();
}

void FrameLoop::EndSaver() { saver_.EndSaver(); }

}  // namespace cindral::saver
