#pragma once
// Runs the saver's frame loop in a daemon's window: one frame, then the
// window's events and the due timers until the next frame is due (at most 60
// a second). No input is read: the daemon ends the program with a signal, or
// by destroying the window.

#include "platform/linux/saver/x11_hack_display.h"
#include "saver/window.h"

namespace cindral::platform::linux {

// SIGTERM and SIGINT wake the loop at once and end the saver with the usual
// clean-up (music stopped). Call before the loop starts.
void InstallHackSignalHandlers();

// Returns the number of frames run.
long RunHackLoop(saver::SaverWindow& saver, X11HackDisplay& display);

}  // namespace cindral::platform::linux
