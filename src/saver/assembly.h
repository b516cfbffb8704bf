#pragma once
// The saver window with the parts every platform shares: the music player
// over the platform's media commands (called in place or queued to a thread
// of its own) and the fire engine on the program's generator. A platform
// shell passes its ports, then runs a FrameLoop over Window() and Clock().

#include <memory>

#include "display/ports.h"
#include "fire/fire_engine.h"
#include "music/bgm.h"
#include "saver/engine_fire.h"
#include "saver/ports.h"
#include "saver/window.h"
#include "startup/ports.h"
#include "startup/program_state.h"

namespace cindral::saver {

// How the player's routines run. InPlace: on the window thread, for a media
// layer whose every call returns within milliseconds. Queued: on a thread of
// their own, for a platform whose device calls may block for seconds.
enum class MusicCalls { InPlace, Queued };

// The platform's side of the saver window.
struct PlatformPorts {
    music::MediaCommands& media;
    MusicCalls musicCalls;
    SaverClock& clock;
    display::Display& display;
    SaverHost& host;
    startup::SystemServices& system;
};

class SaverAssembly {
  public:
    SaverAssembly(PlatformPorts ports, startup::ProgramState& state);
    ~SaverAssembly();
    SaverAssembly(const SaverAssembly&) = delete;
    SaverAssembly& operator=(const SaverAssembly&) = delete;

    SaverWindow& Window() { return window_; }
    SaverClock& Clock() { return clock_; }
    // Waits up to `ms` for the music calls made so far to finish; true when
    // they did. In place they always have.
    bool FinishMusic(int ms);

  private:
    class Music;
    std::unique_ptr<Music> music_;
    SaverClock& clock_;
    fire::FireEngine engine_;
    EngineSaverFire fire_;
    SaverWindow window_;
};

}  // namespace cindral::saver
