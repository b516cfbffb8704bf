#pragma once
// Whether this process may create files in a folder, asked of the system
// without writing there: the folder's access list checked against the
// process's token for FILE_ADD_FILE, and read-only volumes refused.

#include "startup/ports.h"

namespace cindral::platform::windows {

class Win32FolderAccess final : public startup::FolderAccess {
  public:
    bool CanCreateFilesIn(const std::filesystem::path& folder) override;
};

}  // namespace cindral::platform::windows
