#include "platform/posix/system_services.h"

namespace cindral::platform::posix {

std::int32_t LinuxSystemServices::ShowCursor(bool show) {
    bool before = CursorVisible();
    count_ += show ? 1 : -1;
    if (apply_ && before != CursorVisible()) apply_(CursorVisible());
    return count_;
}

void LinuxSystemServices::OnCursorVisibility(std::function<void(bool)> apply) {
    apply_ = std::move(apply);
    if (apply_) apply_(CursorVisible());
}

}  // namespace cindral::platform::posix
