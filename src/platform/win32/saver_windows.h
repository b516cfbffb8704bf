#pragma once
// The saver's windows: one borderless topmost window captioned "Cindral_Main"
// on every monitor, each covering its monitor. Input on any of them reaches the
// saver's handlers; the system closing one, or the session ending, ends the
// saver.

#include <vector>

#include "platform/win32/win32.h"
#include "saver/ports.h"

namespace cindral::platform::win32 {

// Screen rectangles of the monitors (EnumDisplayMonitors); the virtual
// screen's rectangle when that gives none.
std::vector<RECT> MonitorRects();

class SaverWindows final : public saver::SaverHost {
  public:
    // Creates the windows, hidden. `Windows()` is empty when none could be made.
    explicit SaverWindows(const std::vector<RECT>& monitors);
    ~SaverWindows() override;
    SaverWindows(const SaverWindows&) = delete;
    SaverWindows& operator=(const SaverWindows&) = delete;

    const std::vector<HWND>& Windows() const { return windows_; }
    // Where keys, clicks and close requests go (WM_CLOSE, WM_ENDSESSION);
    // null: nowhere.
    void SetInput(saver::SaverInput* input) { input_ = input; }

    void ShowTopmost() override;
    // Detaches the windows from the saver; they close when the process ends.
    void Unload() override;
    std::uintptr_t Handle() const override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

    std::vector<HWND> windows_;
    saver::SaverInput* input_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace cindral::platform::win32
