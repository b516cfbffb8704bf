#pragma once
// Cursor, saver-running notice, platform family and the saver password
// services of the Windows 9x family. The password services exist only there
// (password.cpl, mpr.dll), so they are looked up when first needed instead of
// being linked: the program must start on NT, where neither is called.

#include <functional>
#include <string>

#include "startup/ports.h"

namespace cindral::platform::win32 {

// Finds `procedure` in the module `module` (loading it); null when either is
// missing. The module stays loaded for the rest of the run.
using ProcedureLoader = std::function<void*(const std::wstring& module, const char* procedure)>;
void* LoadSystemProcedure(const std::wstring& module, const char* procedure);

// GetVersionExA with a 148-byte OSVERSIONINFOA: true only when the call
// returned 1 and the platform id is VER_PLATFORM_WIN32_NT.
bool SystemIsWindowsNT();

// SystemParametersInfoA(action, uiParam, null, 0), result ignored.
using SystemParameterSetter = std::function<void(std::uint32_t action, std::uint32_t uiParam)>;
void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam);

// Only the Windows 9x family guards a saver with a password; on NT the
// desktop's own lock does.
class Win32SystemServices final : public startup::SystemServices {
  public:
    explicit Win32SystemServices(ProcedureLoader loader = LoadSystemProcedure,
                                 std::function<bool()> isWindowsNT = SystemIsWindowsNT,
                                 SystemParameterSetter setParameter = SetSystemParameter)
        : loader_(std::move(loader)),
          isWindowsNT_(std::move(isWindowsNT)),
          setParameter_(std::move(setParameter)) {}

    std::int32_t ShowCursor(bool show) override;
    // SPI_SCREENSAVERRUNNING with the 16-bit negation of "not running": a
    // running saver goes out as -1, its end as 0.
    void AnnounceSaverRunning(bool running) override;
    void ActivateSaverTimeout() override;  // SPI_SETSCREENSAVEACTIVE, 1
    bool AsksSaverPassword() override { return !isWindowsNT_(); }
    // VerifyScreenSavePwd of password.cpl. Without the module nothing can be
    // checked and the saver may end: refusing would leave a saver that no
    // input can end.
    bool AskSaverPassword(std::uintptr_t window) override;
    // PwdChangePasswordA of mpr.dll for the provider "SCRSAVE".
    void ChangeSaverPassword(std::int32_t ownerWindow) override;

  private:
    ProcedureLoader loader_;
    std::function<bool()> isWindowsNT_;
    SystemParameterSetter setParameter_;
};

}  // namespace cindral::platform::win32
