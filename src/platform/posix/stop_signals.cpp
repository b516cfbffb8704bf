#include "platform/posix/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace cindral::platform::posix {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;
int g_wakeFds[2] = {-1, -1};

// Only async-signal-safe calls here: the flag and a byte into the pipe.
void OnStopSignal(int) {
    const int saved = errno;
    g_stopRequested = 1;
    const char byte = 1;
    if (g_wakeFds[1] >= 0) {
        [[maybe_unused]] ssize_t n = write(g_wakeFds[1], &byte, 1);
    }
    errno = saved;
}

}  // namespace

void InstallStopSignals() {
    if (g_wakeFds[0] < 0 && pipe2(g_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_wakeFds[0] = g_wakeFds[1] = -1;  // waits are bounded anyway: a frame later
    }
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

bool StopSignalled() { return g_stopRequested != 0; }

int StopSignalFd() { return g_wakeFds[0]; }

void ForgetStopSignalsForTesting() {
    g_stopRequested = 0;
    char bytes[64];
    if (g_wakeFds[0] >= 0) {
        while (read(g_wakeFds[0], bytes, sizeof bytes) > 0) {
        }
    }
}

}  // namespace cindral::platform::posix
