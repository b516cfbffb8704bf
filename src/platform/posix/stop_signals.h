#pragma once
// SIGTERM and SIGINT as a stop request of the saver: a flag the frame loop
// reads, and a descriptor that becomes readable at the signal, so that a wait
// on it ends at once.

namespace cindral::platform::posix {

void InstallStopSignals();
bool StopSignalled();
// Readable once a stop signal has arrived; -1 before InstallStopSignals.
int StopSignalFd();

// Forgets every stop signal so far: the flag, and the wake bytes not yet read.
// Only for tests that raise stop signals in one process again and again; the
// program itself never calls it, as a real stop request must never be lost.
void ForgetStopSignalsForTesting();

}  // namespace cindral::platform::posix
