#pragma once
// The saver's windows: one borderless topmost window captioned "Cindral_Main"
// on every monitor, each covering its monitor. Input on any of them reaches the
// saver's handlers; the system closing one, or the session ending, ends the
// saver.

#include <functional>
#include <vector>

#include "platform/windows/win32.h"
#include "saver/ports.h"

namespace cindral::platform::windows {

// What the windows report, in the saver window's terms.
struct SaverInput {
    std::function<void(int virtualKey)> keyDown;
    std::function<void()> mouseDown;
    std::function<void()> endRequested;  // WM_CLOSE, WM_ENDSESSION
};

// Screen rectangles of the monitors (EnumDisplayMonitors); the virtual
// screen's rectangle when that gives none.
std::vector<RECT> MonitorRects();

class SaverWindows final : public saver::SaverHost {
  public:
    // Creates the windows, hidden. `Windows()` is empty when none could be made.
    SaverWindows(const std::vector<RECT>& monitors, SaverInput input);
    ~SaverWindows() override;
    SaverWindows(const SaverWindows&) = delete;
    SaverWindows& operator=(const SaverWindows&) = delete;

    const std::vector<HWND>& Windows() const { return windows_; }

    void ShowTopmost() override;
    // Detaches the windows from the saver; they close when the process ends.
    void Unload() override;
    std::uintptr_t Handle() const override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

    std::vector<HWND> windows_;
    SaverInput input_;
    bool unloaded_ = false;
};

}  // namespace cindral::platform::windows
