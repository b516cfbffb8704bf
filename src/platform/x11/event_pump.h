#pragma once
// The saver's event pump on Xlib, for the full-screen windows and for hack
// mode alike: waits on the X connection and on the stop signals' descriptor
// for as long as the frame loop says, then lets the display read its events.

#include <cstdint>

#include "saver/ports.h"

namespace cindral::platform::x11 {

// A display whose X connection brings the saver's events.
class X11EventSource {
  public:
    virtual ~X11EventSource() = default;
    // The connection's descriptor, readable when events are waiting.
    virtual int ConnectionFd() const = 0;
    // Reads every event waiting (in Xlib's queue or on the connection) and
    // hands what the saver must hear to `input`. True when it read any event
    // or ended the saver: the frame loop then runs without waiting.
    virtual bool ServeEvents(saver::SaverInput& input) = 0;
};

class X11EventPump final : public saver::EventPump {
  public:
    explicit X11EventPump(X11EventSource& source) : source_(source) {}

    // Makes SIGTERM and SIGINT request a stop that wakes the wait at once.
    // Call before anything slow starts.
    static void InstallStopSignalHandlers();

    void WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) override;
    bool StopRequested() override;

  private:
    X11EventSource& source_;
};

}  // namespace cindral::platform::x11
