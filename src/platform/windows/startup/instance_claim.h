#pragma once
// The atomic half of the single-instance rule: a named mutex that the first of
// several simultaneous starts claims. Looking for the windows' captions alone
// leaves a gap between the look-up and the window's creation in which two
// starts both find nothing.

#include <string>

namespace cindral::platform::windows {

inline constexpr wchar_t kInstanceMutexName[] = L"Local\\Cindral.Instance";

class InstanceClaim {
  public:
    explicit InstanceClaim(const std::wstring& name = kInstanceMutexName);
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // False when another process holds the name (or it could not be made).
    bool Claimed() const { return claimed_; }
    // Gives the name up for modes that do not count as a running copy.
    void Release();

  private:
    void* mutex_ = nullptr;
    bool claimed_ = false;
};

}  // namespace cindral::platform::windows
