#pragma once
// The saver window with the parts every platform shares: the music player
// over the platform's media commands, the fire engine on the program's
// generator and the steady clock. A platform shell adds its display and
// window host, system services and local time, then runs a FrameLoop.

#include "display/ports.h"
#include "fire/fire_engine.h"
#include "music/bgm.h"
#include "saver/bgm_music.h"
#include "saver/engine_fire.h"
#include "saver/ports.h"
#include "saver/steady_clock.h"
#include "saver/window.h"
#include "startup/ports.h"
#include "startup/program_state.h"

namespace cindral::saver {

// The platform's side of the saver window.
struct PlatformPorts {
    music::MediaCommands& media;
    LocalTime& localTime;
    display::Display& display;
    SaverHost& host;
    startup::SystemServices& system;
};

class SaverAssembly {
  public:
    SaverAssembly(PlatformPorts ports, startup::ProgramState& state);
    SaverAssembly(const SaverAssembly&) = delete;
    SaverAssembly& operator=(const SaverAssembly&) = delete;

    SaverWindow& Window() { return window_; }
    SaverClock& Clock() { return clock_; }

  private:
    music::Cindral_BGM bgm_;
    BgmSaverMusic music_;
    SteadyClock clock_;
    fire::FireEngine engine_;
    EngineSaverFire fire_;
    SaverWindow window_;
};

}  // namespace cindral::saver
