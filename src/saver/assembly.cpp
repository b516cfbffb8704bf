#include "saver/assembly.h"

namespace cindral::saver {

SaverAssembly::SaverAssembly(PlatformPorts ports, startup::ProgramState& state)
    : bgm_(ports.media, state.settings),
      music_(bgm_),
      clock_(ports.localTime),
      engine_(fire::ProgramRnd(), [this] { return clock_.TickMs(); }),
      fire_(engine_),
      window_({fire_, ports.display, music_, ports.host, ports.system, clock_}, state) {}

}  // namespace cindral::saver
