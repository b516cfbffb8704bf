#pragma once
// The single-instance claim on Windows: a named mutex, created by the copy that
// takes the claim and kept open for the rest of its life. The system drops the
// name with the last handle, so the claim ends with the process that holds it.

#include <string>
#include <utility>

#include "startup/ports.h"

namespace cindral::platform::win32 {

inline constexpr wchar_t kInstanceMutexName[] = L"Local\\Cindral.Instance";

class Win32InstanceClaim final : public startup::InstanceClaim {
  public:
    explicit Win32InstanceClaim(std::wstring name = kInstanceMutexName) : name_(std::move(name)) {}
    ~Win32InstanceClaim() override;
    Win32InstanceClaim(const Win32InstanceClaim&) = delete;
    Win32InstanceClaim& operator=(const Win32InstanceClaim&) = delete;

    bool TryClaim() override;
    bool HeldElsewhere() override;

  private:
    std::wstring name_;
    void* mutex_ = nullptr;  // set only while this copy holds the claim
};

}  // namespace cindral::platform::win32
