#pragma once
// System services on Linux. The saver asks no password of its own here (the
// screen locker does), so no password is asked and none is changed; the
// saver-running notice and the saver timeout have no Linux counterpart. The cursor's display count
// is kept here and its visibility handed to whoever shows the windows.

#include <cstdint>
#include <functional>

#include "startup/ports.h"

namespace cindral::platform::posix {

class LinuxSystemServices final : public startup::SystemServices {
  public:
    std::int32_t ShowCursor(bool show) override;
    void AnnounceSaverRunning(bool) override {}
    void ActivateSaverTimeout() override {}
    bool AsksSaverPassword() override { return false; }
    bool AskSaverPassword(std::uintptr_t) override { return true; }
    void ChangeSaverPassword(std::int32_t) override {}

    bool CursorVisible() const { return count_ >= 0; }
    // Called with the new visibility whenever the count crosses 0, and once
    // at once with the current one.
    void OnCursorVisibility(std::function<void(bool)> apply);

  private:
    std::int32_t count_ = 0;
    std::function<void(bool)> apply_;
};

}  // namespace cindral::platform::posix
