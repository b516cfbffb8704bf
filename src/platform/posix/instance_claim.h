#pragma once
// The single-instance claim without an X server: an exclusive lock on a file
// in the user's runtime folder. Taking the lock is one atomic step, so of
// copies started together exactly one wins; the kernel drops it when its
// holder ends, however it ends, so no stale claim outlives a crash.

#include <filesystem>
#include <optional>
#include <string>

#include "startup/ports.h"

namespace cindral::platform::posix {

// "$XDG_RUNTIME_DIR/cindral.lock"; without a runtime folder, a file of this
// user's in the temporary folder.
std::filesystem::path InstanceLockPath(const std::optional<std::string>& runtimeDir);

class LockFileInstanceClaim final : public startup::InstanceClaim {
  public:
    explicit LockFileInstanceClaim(std::filesystem::path path) : path_(std::move(path)) {}
    ~LockFileInstanceClaim() override;
    LockFileInstanceClaim(const LockFileInstanceClaim&) = delete;
    LockFileInstanceClaim& operator=(const LockFileInstanceClaim&) = delete;

    // True when this process holds the lock (or no lock file can be made at
    // all, where there is nothing to share it with).
    bool TryClaim() override;
    // True when another process holds it.
    bool HeldElsewhere() override;

  private:
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace cindral::platform::posix
