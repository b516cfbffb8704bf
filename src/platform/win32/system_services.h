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

class Win32SystemServices final : public startup::SystemServices {
  public:
    explicit Win32SystemServices(ProcedureLoader loader = LoadSystemProcedure,
                                 std::function<bool()> isWindowsNT = SystemIsWindowsNT)
        : loader_(std::move(loader)), isWindowsNT_(std::move(isWindowsNT)) {}

    std::int32_t ShowCursor(bool show) override;
    void SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam) override;
    bool IsWindowsNT() override { return isWindowsNT_(); }
    // Without the password module nothing can be checked and the saver may end:
    // refusing would leave a saver that no input can end.
    std::int32_t VerifyScreenSavePwd(std::uintptr_t window) override;
    void PwdChangePasswordA(std::int32_t ownerWindow) override;

  private:
    ProcedureLoader loader_;
    std::function<bool()> isWindowsNT_;
};

}  // namespace cindral::platform::win32
