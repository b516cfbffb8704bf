#pragma once
// The full-screen saver window's logic: the load step, one pass of the frame
// loop, the three timers and the input handlers, and RequestExit. FrameLoop
// (frame_loop.h) runs it: RunFrame while Running(), input and due timers
// between frames; the program ends once Running() is false.

#include <cstdint>

#include "display/ports.h"
#include "music/bgm.h"
#include "saver/ports.h"
#include "saver/timer.h"
#include "startup/ports.h"
#include "startup/program_state.h"

namespace cindral::saver {

struct SaverPorts {
    SaverFire& fire;
    display::Display& display;
    SaverMusic& music;
    SaverHost& host;
    startup::SystemServices& system;
    SaverClock& clock;
};

class SaverWindow {
  public:
    SaverWindow(SaverPorts ports, startup::ProgramState& state);

    // Load steps up to starting the loop. False: the program must end now
    // (the fire's palette could not be built).
    bool Load();
    bool Running() const { return running_; }

    // One pass of the loop without the message step: the fire's frame into the
    // back surface (`fireSteps` of them, where a slow display showed fewer
    // frames than the fire runs), then presentation.
    void RunFrame(int fireSteps = 1);
    // The display has yet to show the frame last presented (its vertical blank).
    bool PresentPending() const { return ports_.display.PresentPending(); }
    // Ticks every due timer, in the order Timer1, Timer2, Timer3.
    void ServeTimers();
    // Milliseconds until the earliest enabled timer is due; -1 when none runs.
    std::int64_t MsUntilNextTimer();

    void KeyDown(Key key);
    void MouseDown();
    void RequestExit();
    // The ending half of RequestExit, with no password: used when the system
    // asks the saver to stop (a termination signal).
    void EndSaver();

    const SaverTimer& Timer1() const { return timer1_; }
    const SaverTimer& Timer2() const { return timer2_; }
    const SaverTimer& Timer3() const { return timer3_; }

  private:
    music::MusicFileKind MusicFileKind() const;

    SaverPorts ports_;
    startup::ProgramState& state_;
    bool running_ = false;
    SaverTimer timer1_{1000};  // music file poll
    SaverTimer timer2_{200};   // audio CD poll
    SaverTimer timer3_{2000};  // spark bursts
};

}  // namespace cindral::saver
