#pragma once
// The full-screen saver on Linux: wires the saver window's logic to SDL2, the
// fire engine and the music player, and runs it to the end.

#include "platform/linux/saver/linux_system_services.h"
#include "startup/program_state.h"

namespace cindral::app {

int RunFullScreenSaver(startup::ProgramState& state, platform::linux::LinuxSystemServices& system);

}  // namespace cindral::app
