#pragma once
// The saver's event pump on Wayland, for the full-screen saver and layer
// mode alike: waits on the compositor's connection and on the stop signals'
// descriptor for as long as the frame loop says. When the loop's next frame
// is due (a wait of 0) it waits, if need be, until a surface's frame callback
// asks for one: the compositor paces the fire, and a hidden surface (no frame
// callback) costs no frames. Input and stop signals end that wait at once.

#include <cstdint>

#include "saver/ports.h"

struct wl_display;

namespace cindral::platform::wayland {

// A display whose connection brings the saver's events.
class WaylandEventSource {
  public:
    virtual ~WaylandEventSource() = default;
    virtual wl_display* Connection() const = 0;
    // Dispatches every event read so far and hands what the saver must hear
    // to `input`. True when it handed over any input or ended the saver.
    virtual bool ServeEvents(saver::SaverInput& input) = 0;
    // True when some surface would show a frame drawn now.
    virtual bool WantsFrame() const = 0;
};

class WaylandEventPump final : public saver::EventPump {
  public:
    explicit WaylandEventPump(WaylandEventSource& source) : source_(source) {}

    // Makes SIGTERM and SIGINT request a stop that wakes the wait at once.
    static void InstallStopSignalHandlers();

    void WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) override;
    bool StopRequested() override;

  private:
    // Sends what is queued, waits up to `timeoutMs` (-1: no limit) for the
    // connection or a stop signal, and reads what arrived.
    void Wait(int timeoutMs);

    WaylandEventSource& source_;
};

}  // namespace cindral::platform::wayland
