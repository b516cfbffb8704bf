#include "platform/x11/event_pump.h"

#include <poll.h>

#include "platform/posix/stop_signals.h"

namespace cindral::platform::x11 {

void X11EventPump::InstallStopSignalHandlers() { posix::InstallStopSignals(); }

void X11EventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    // Events may already sit in Xlib's queue (read while presenting), where
    // the connection's descriptor does not show them: no wait then.
    if (source_.ServeEvents(input) || timeoutMs == 0 || posix::StopSignalled()) return;
    pollfd fds[2] = {{source_.ConnectionFd(), POLLIN, 0}, {posix::StopSignalFd(), POLLIN, 0}};
    poll(fds, 2, static_cast<int>(timeoutMs));
    source_.ServeEvents(input);
}

bool X11EventPump::StopRequested() { return posix::StopSignalled(); }

}  // namespace cindral::platform::x11
