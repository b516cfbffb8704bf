#include "platform/linux/saver/stop_signals.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

namespace cindral::platform::linux {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;
int g_wakeWrite = -1;
std::atomic<std::uint32_t> g_eventType{0};

// Only async-signal-safe calls here: the flag, and one byte into the pipe.
void OnStopSignal(int) {
    const int saved = errno;
    g_stopRequested = 1;
    if (g_wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = write(g_wakeWrite, &byte, 1);
    }
    errno = saved;
}

// Pushing an SDL event takes a lock, which a signal handler must not; this
// thread does it for the handler, once per signal.
void ForwardWakes(int readEnd) {
    char byte;
    for (;;) {
        const ssize_t n = read(readEnd, &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        SDL_Event e{};
        e.type = g_eventType.load();
        SDL_PushEvent(&e);  // fails harmlessly before SDL's events start
    }
}

}  // namespace

void InstallStopSignals() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // SDL must not turn the signals into quit events of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    g_eventType = SDL_RegisterEvents(1);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) == 0) {
        g_wakeWrite = fds[1];
        std::thread(ForwardWakes, fds[0]).detach();
    }
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

bool StopSignalled() { return g_stopRequested != 0; }

std::uint32_t StopSignalEventType() { return g_eventType.load(); }

}  // namespace cindral::platform::linux
