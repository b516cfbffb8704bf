#pragma once
// SIGTERM and SIGINT as the system's request that the saver stop. The request
// is a flag the frame loop reads, and it also wakes the loop: a wait for SDL
// events ends with an event of type StopSignalEventType(), so the loop sees the
// request at once however long it meant to wait.

#include <cstdint>

namespace cindral::platform::linux {

// Installs the handlers (and keeps SDL from installing its own). Call once,
// before SDL starts; later calls do nothing.
void InstallStopSignals();

// True once SIGTERM or SIGINT arrived after InstallStopSignals.
bool StopSignalled();

// The SDL event type a stop signal pushes (a registered user event type).
std::uint32_t StopSignalEventType();

}  // namespace cindral::platform::linux
