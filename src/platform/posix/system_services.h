#pragma once
// System services on Linux. Linux is not of the Windows 9x family, so no
// saver password is asked and the password-change call does nothing; the
// saver-running notices have no Linux counterpart. The cursor's display count
// is kept here and its visibility handed to whoever shows the windows.

#include <cstdint>
#include <functional>

#include "startup/ports.h"

namespace cindral::platform::posix {

class LinuxSystemServices final : public startup::SystemServices {
  public:
    std::int32_t ShowCursor(bool show) override;
    void SystemParametersInfoA(std::uint32_t, std::uint32_t) override {}
    bool IsWindowsNT() override { return true; }
    std::int32_t VerifyScreenSavePwd(std::uintptr_t) override { return 1; }
    void PwdChangePasswordA(std::int32_t) override {}

    bool CursorVisible() const { return count_ >= 0; }
    // Called with the new visibility whenever the count crosses 0, and once
    // at once with the current one.
    void OnCursorVisibility(std::function<void(bool)> apply);

  private:
    std::int32_t count_ = 0;
    std::function<void(bool)> apply_;
};

}  // namespace cindral::platform::posix
