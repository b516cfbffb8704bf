#pragma once
// SIGTERM and SIGINT as a stop request of the saver: a flag the frame loop
// reads, and a descriptor that becomes readable at the signal, so that a wait
// on it ends at once.

namespace cindral::platform::linux {

void InstallStopSignals();
bool StopSignalled();
// Readable once a stop signal has arrived; -1 before InstallStopSignals.
int StopSignalFd();

}  // namespace cindral::platform::linux
