#include "platform/linux/saver/x11_hack_event_pump.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>

namespace cindral::platform::linux {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;
int g_wakeFds[2] = {-1, -1};

// A byte in the pipe wakes the wait however long it was meant to be.
void OnStopSignal(int) {
    g_stopRequested = 1;
    if (g_wakeFds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = write(g_wakeFds[1], &byte, 1);
    }
}

}  // namespace

void X11HackEventPump::InstallStopSignalHandlers() {
    if (g_wakeFds[0] < 0 && pipe2(g_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_wakeFds[0] = g_wakeFds[1] = -1;  // the wait's bound still ends it within a frame
    }
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

void X11HackEventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    // Events may already sit in Xlib's queue (read while presenting), where
    // the connection's descriptor does not show them.
    if (!display_.ServeEvents()) {
        input.EndSaver();  // the daemon destroyed the window
        return;
    }
    if (timeoutMs > 0 && !g_stopRequested) {
        pollfd fds[2] = {{display_.ConnectionFd(), POLLIN, 0}, {g_wakeFds[0], POLLIN, 0}};
        poll(fds, 2, static_cast<int>(timeoutMs));
        if (!display_.ServeEvents()) input.EndSaver();
    }
}

bool X11HackEventPump::StopRequested() { return g_stopRequested != 0; }

}  // namespace cindral::platform::linux
