#pragma once
// Folder questions answered by the kernel's access check, which knows the
// permission bits, access lists and read-only mounts, without writing.

#include "startup/ports.h"

namespace cindral::platform::linux {

class PosixFolderAccess final : public startup::FolderAccess {
  public:
    bool CanCreateFilesIn(const std::filesystem::path& folder) override;
};

}  // namespace cindral::platform::linux
