#include "platform/linux/saver/x11_saver_event_pump.h"

#include <X11/keysym.h>
#include <poll.h>

#include "platform/linux/saver/stop_signals.h"

namespace cindral::platform::linux {

void X11SaverEventPump::InstallStopSignalHandlers() { InstallStopSignals(); }

void X11SaverEventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    // Events may already sit in Xlib's queue (read while presenting), where
    // the connection's descriptor does not show them: no wait then.
    if (display_.ServeEvents(input) > 0 || timeoutMs == 0 || StopSignalled()) return;
    pollfd fds[2] = {{display_.ConnectionFd(), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    poll(fds, 2, static_cast<int>(timeoutMs));
    display_.ServeEvents(input);
}

bool X11SaverEventPump::StopRequested() { return StopSignalled(); }

int VirtualKeyOf(unsigned long keysym, bool numLock) {
    if (keysym == XK_Left || ((keysym == XK_KP_Left || keysym == XK_KP_4) && !numLock)) {
        return saver::kVkLeft;
    }
    if (keysym == XK_Right || ((keysym == XK_KP_Right || keysym == XK_KP_6) && !numLock)) {
        return saver::kVkRight;
    }
    if (keysym >= XK_a && keysym <= XK_z) return 'A' + static_cast<int>(keysym - XK_a);
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>(keysym);
    return 0;
}

}  // namespace cindral::platform::linux
