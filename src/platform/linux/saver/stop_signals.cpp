#include "platform/linux/saver/stop_signals.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <thread>

namespace cindral::platform::linux {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;
int g_wakeFds[2] = {-1, -1};
int g_sdlWakeWrite = -1;

// Only async-signal-safe calls here: the flag and a byte into each pipe.
void OnStopSignal(int) {
    const int saved = errno;
    g_stopRequested = 1;
    const char byte = 1;
    if (g_wakeFds[1] >= 0) {
        [[maybe_unused]] ssize_t n = write(g_wakeFds[1], &byte, 1);
    }
    if (g_sdlWakeWrite >= 0) {
        [[maybe_unused]] ssize_t n = write(g_sdlWakeWrite, &byte, 1);
    }
    errno = saved;
}

// Pushing an SDL event takes a lock, which a signal handler must not; this
// thread does it for the handler, once per signal.
void ForwardToSdl(int readEnd, std::uint32_t eventType) {
    char byte;
    for (;;) {
        const ssize_t n = read(readEnd, &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        SDL_Event e{};
        e.type = eventType;
        SDL_PushEvent(&e);  // fails harmlessly before SDL's events start
    }
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

void WakeSdlOnStopSignals() {
    if (g_sdlWakeWrite >= 0) return;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;  // waits are bounded anyway: a frame later
    std::thread(ForwardToSdl, fds[0], SDL_RegisterEvents(1)).detach();
    g_sdlWakeWrite = fds[1];
}

void ForgetStopSignalsForTesting() {
    g_stopRequested = 0;
    char bytes[64];
    if (g_wakeFds[0] >= 0) {
        while (read(g_wakeFds[0], bytes, sizeof bytes) > 0) {
        }
    }
}

}  // namespace cindral::platform::linux
