#pragma once
// The saver's event pump in hack mode: no input is read (the daemon that owns
// the window ends the program with a signal or by destroying the window). It
// waits on the X connection for the window's resizes and exposures, ends the
// saver when the window is destroyed, and turns SIGTERM and SIGINT into a stop
// request that wakes the wait at once.

#include <cstdint>

#include "platform/linux/saver/x11_hack_display.h"
#include "saver/ports.h"

namespace cindral::platform::linux {

class X11HackEventPump final : public saver::EventPump {
  public:
    explicit X11HackEventPump(X11HackDisplay& display) : display_(display) {}

    // Makes SIGTERM and SIGINT request a stop. Call before anything slow starts.
    static void InstallStopSignalHandlers();

    void WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) override;
    bool StopRequested() override;

  private:
    X11HackDisplay& display_;
};

}  // namespace cindral::platform::linux
