#include "platform/linux/saver/x11_hack_event_pump.h"

#include <poll.h>

#include "platform/linux/saver/stop_signals.h"

namespace cindral::platform::linux {

void X11HackEventPump::InstallStopSignalHandlers() { InstallStopSignals(); }

void X11HackEventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    // Events may already sit in Xlib's queue (read while presenting), where
    // the connection's descriptor does not show them.
    if (!display_.ServeEvents()) {
        input.EndSaver();  // the daemon destroyed the window
        return;
    }
    if (timeoutMs > 0 && !StopSignalled()) {
        pollfd fds[2] = {{display_.ConnectionFd(), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
        poll(fds, 2, static_cast<int>(timeoutMs));
        if (!display_.ServeEvents()) input.EndSaver();
    }
}

bool X11HackEventPump::StopRequested() { return StopSignalled(); }

}  // namespace cindral::platform::linux
