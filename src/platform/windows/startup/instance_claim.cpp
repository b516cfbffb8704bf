#include "platform/windows/startup/instance_claim.h"

#include "platform/windows/win32.h"

namespace cindral::platform::windows {

InstanceClaim::InstanceClaim(const std::wstring& name) {
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    claimed_ = mutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

InstanceClaim::~InstanceClaim() { Release(); }

void InstanceClaim::Release() {
    if (mutex_) CloseHandle(mutex_);
    mutex_ = nullptr;
    claimed_ = false;
}

}  // namespace cindral::platform::windows
