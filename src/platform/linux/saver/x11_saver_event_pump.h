#pragma once
// The saver's event pump on Xlib: waits on the X connection and on the stop
// signals' descriptor for as long as the frame loop says, and hands keys,
// clicks and closed windows to the saver (X11SaverDisplay::ServeEvents).

#include <cstdint>

#include "platform/linux/saver/x11_saver_display.h"
#include "saver/ports.h"

namespace cindral::platform::linux {

class X11SaverEventPump final : public saver::EventPump {
  public:
    explicit X11SaverEventPump(X11SaverDisplay& display) : display_(display) {}

    // Makes SIGTERM and SIGINT request a stop that wakes the wait at once.
    // Call before anything slow starts.
    static void InstallStopSignalHandlers();

    void WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) override;
    bool StopRequested() override;

  private:
    X11SaverDisplay& display_;
};

// The virtual-key code the saver's key handler reads for a key: `keysym` is
// the key's first (unshifted) keysym, `numLock` whether NumLock was on. The
// arrows, and the keypad's 4 and 6 while NumLock is off (the same keys as the
// arrows then), give 37 and 39; letters give their upper-case letter, digits
// themselves; every other key 0.
int VirtualKeyOf(unsigned long keysym, bool numLock);

}  // namespace cindral::platform::linux
