#pragma once
// The saver's event pump on Win32: waits for window messages for as long as
// the frame loop says, then dispatches every queued message; the saver
// windows hand their keys, clicks and close requests to the input the loop
// names. A console's Ctrl+C, Ctrl+Break or close counts as a request to stop.

#include "platform/win32/saver_windows.h"
#include "saver/ports.h"

namespace cindral::platform::win32 {

class Win32EventPump final : public saver::EventPump {
  public:
    explicit Win32EventPump(SaverWindows& windows);
    ~Win32EventPump() override;
    void WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) override;
    bool StopRequested() override;

  private:
    SaverWindows& windows_;
};

// Time-of-day for the saver's random kind, from the system's local time.
class Win32LocalTime final : public saver::LocalTime {
  public:
    int SecondsSinceMidnight() override;
};

}  // namespace cindral::platform::win32
