#include "platform/posix/instance_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace cindral::platform::posix {

std::filesystem::path InstanceLockPath(const std::optional<std::string>& runtimeDir) {
    if (runtimeDir && !runtimeDir->empty())
        return std::filesystem::path(*runtimeDir) / "cindral.lock";
    return std::filesystem::temp_directory_path() /
           ("cindral-" + std::to_string(getuid()) + ".lock");
}

LockFileInstanceClaim::~LockFileInstanceClaim() {
    if (fd_ >= 0) close(fd_);
}

bool LockFileInstanceClaim::TryClaim() {
    if (fd_ >= 0) return true;
    const int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;
    // flock, unlike fcntl locks, belongs to the open file: a second open in
    // this process would not share it, and children started later do not
    // inherit it past exec (O_CLOEXEC).
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool LockFileInstanceClaim::HeldElsewhere() {
    if (fd_ >= 0) return false;
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;  // no file: nobody ever claimed
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

}  // namespace cindral::platform::posix
