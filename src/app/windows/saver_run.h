#pragma once
// The full-screen saver on Windows: wires the saver window's logic to the
// Win32 windows, the display, the fire engine and the music thread, and runs
// it to the end.

#include "startup/program_state.h"
#include "startup/ports.h"

namespace cindral::app {

int RunFullScreenSaver(startup::ProgramState& state, startup::SystemServices& system);

}  // namespace cindral::app
