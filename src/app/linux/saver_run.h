#pragma once
// The full-screen saver on Linux: wires the saver window's logic to Xlib, the
// fire engine and the music player, and runs it to the end.

#include "platform/posix/system_services.h"
#include "startup/program_state.h"

typedef struct _XDisplay Display;

namespace cindral::app {

// `x` is the program's X connection (null off X11). Returns the exit status;
// a saver that cannot show anything says why on standard error.
int RunFullScreenSaver(startup::ProgramState& state, platform::posix::LinuxSystemServices& system,
                       ::Display* x);

}  // namespace cindral::app
