#pragma once
// Folder questions answered by the kernel's access check, which knows the
// permission bits, access lists and read-only mounts, without writing.

#include "config/ports.h"

namespace cindral::platform::posix {

class PosixFolderAccess final : public config::FolderAccess {
  public:
    bool CanCreateFilesIn(const std::filesystem::path& folder) override;
};

}  // namespace cindral::platform::posix
