#pragma once
// The full-screen saver on Linux: wires the saver window's logic to the
// display system's shell (X11 or Wayland), the fire engine and the music
// player, and runs it to the end.

#include "app/linux/saver_shell.h"
#include "platform/posix/system_services.h"
#include "startup/program_state.h"

namespace cindral::app {

// Returns the exit status; a saver that cannot show anything says why on
// standard error.
int RunFullScreenSaver(startup::ProgramState& state, platform::posix::LinuxSystemServices& system,
                       SaverShell& shell);

}  // namespace cindral::app
