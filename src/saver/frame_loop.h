#pragma once
// The saver's frame loop: a frame, then the message step until the next frame
// is due (at most 60 a second, and where the display presents at its vertical
// blank, not before it has shown the last one), until the saver has ended. Between frames the
// due timers tick and the platform's event pump waits for input for as long as
// neither the next frame nor a timer is due. A platform shell only implements
// the pump (wait, dispatch) and the display (present).

#include <cstdint>
#include <functional>

#include "display/frame_rate.h"
#include "saver/ports.h"
#include "saver/shown_frame_pacer.h"
#include "saver/window.h"

namespace cindral::saver {

class FrameLoop final : private SaverInput {
  public:
    static constexpr int kFramesPerSecond = display::kFramesPerSecond;
    // How long a present may wait for the display before the clock paces
    // again: four frames, longer than a 24 Hz display takes.
    static constexpr std::int64_t kShownTimeoutUs = 4 * 1'000'000 / kFramesPerSecond;

    FrameLoop(SaverWindow& saver, EventPump& events, SaverClock& clock);

    // One frame, `afterFrame` (once it was presented), and the message step
    // after it. False once the saver has ended (by input, a timer or a stop
    // request): the loop is over.
    bool RunOnce(const std::function<void()>& afterFrame = {});
    // RunOnce until the saver ends; `onFirstFrame` runs once, after the first
    // frame was presented. Returns the number of frames run.
    long Run(const std::function<void()>& onFirstFrame = {});

  private:
    // Input reaches the saver only while it runs: once a key has ended it,
    // the rest of the queue is dropped.
    void KeyDown(Key key) override;
    void MouseDown() override;
    void EndSaver() override;

    bool Ended();
    void MessageStep();
    // Tells the pacer once the display has shown the frame it waits for.
    void NoteShown();

    SaverWindow& saver_;
    EventPump& events_;
    SaverClock& clock_;
    ShownFramePacer pacer_{kFramesPerSecond, kShownTimeoutUs};
    long frames_ = 0;
};

}  // namespace cindral::saver
