#include "platform/wayland/event_pump.h"

#include <poll.h>
#include <wayland-client.h>

#include "platform/posix/stop_signals.h"

namespace cindral::platform::wayland {

void WaylandEventPump::InstallStopSignalHandlers() { posix::InstallStopSignals(); }

void WaylandEventPump::Wait(int timeoutMs) {
    wl_display* d = source_.Connection();
    if (!d) return;
    while (wl_display_prepare_read(d) != 0) wl_display_dispatch_pending(d);
    wl_display_flush(d);
    pollfd fds[2] = {{wl_display_get_fd(d), POLLIN, 0}, {posix::StopSignalFd(), POLLIN, 0}};
    const int ready = poll(fds, 2, timeoutMs);
    if (ready > 0 && fds[0].revents) {
        // A hung-up connection makes the read fail; dispatching then reports it.
        wl_display_read_events(d);
    } else {
        wl_display_cancel_read(d);
    }
}

void WaylandEventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    Wait(0);
    if (source_.ServeEvents(input) || posix::StopSignalled()) return;
    if (timeoutMs > 0) {
        Wait(static_cast<int>(timeoutMs));
        source_.ServeEvents(input);
        return;
    }
    // The frame is due: draw it once a surface wants one.
    while (!source_.WantsFrame() && !posix::StopSignalled()) {
        Wait(-1);
        if (source_.ServeEvents(input)) return;
    }
}

bool WaylandEventPump::StopRequested() { return posix::StopSignalled(); }

}  // namespace cindral::platform::wayland
