#include "platform/win32/instance_claim.h"

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

Win32InstanceClaim::~Win32InstanceClaim() {
    if (mutex_) CloseHandle(mutex_);
}

bool Win32InstanceClaim::TryClaim() {
    if (mutex_) return true;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name_.c_str());
    // No handle at all means the name exists but cannot be opened from here
    // (another user's copy, or another kind of object): taken all the same.
    if (!mutex) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

bool Win32InstanceClaim::HeldElsewhere() {
    if (mutex_) return false;
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name_.c_str());
    if (!mutex) return false;
    // Kept open, this handle would keep the name alive after its holder ends.
    CloseHandle(mutex);
    return true;
}

}  // namespace cindral::platform::win32
