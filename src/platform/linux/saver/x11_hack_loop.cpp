#include "platform/linux/saver/x11_hack_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>

#include "saver/pacer.h"

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

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void InstallHackSignalHandlers() {
    if (g_wakeFds[0] < 0 && pipe2(g_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_wakeFds[0] = g_wakeFds[1] = -1;  // the wait's bound still ends it within a frame
    }
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

long RunHackLoop(saver::SaverWindow& saver, X11HackDisplay& display) {
    saver::FramePacer pacer(60);
    long frames = 0;
    while (saver.Running() && !g_stopRequested) {
        std::int64_t nextFrame = pacer.FrameStarted(NowUs());
        saver.RunFrame();
        ++frames;
        for (;;) {
            if (!display.ServeEvents()) {
                saver.EndSaver();  // the daemon destroyed the window
                break;
            }
            saver.ServeTimers();
            if (!saver.Running() || g_stopRequested) break;
            std::int64_t waitUs = nextFrame - NowUs();
            if (waitUs <= 0) break;
            std::int64_t waitMs = (waitUs + 999) / 1000;
            std::int64_t timerMs = saver.MsUntilNextTimer();
            if (timerMs >= 0) waitMs = std::min(waitMs, std::max<std::int64_t>(timerMs, 1));
            pollfd fds[2] = {{display.ConnectionFd(), POLLIN, 0}, {g_wakeFds[0], POLLIN, 0}};
            poll(fds, 2, static_cast<int>(waitMs));
        }
    }
    if (g_stopRequested) saver.EndSaver();
    return frames;
}

}  // namespace cindral::platform::linux
