#pragma once
// Whether this process may create files in a folder, asked of the system
// without writing there: the folder's access list checked against the
// process's token for FILE_ADD_FILE, and read-only volumes refused.

#include "config/ports.h"

namespace cindral::platform::win32 {

class Win32FolderAccess final : public config::FolderAccess {
  public:
    bool CanCreateFilesIn(const std::filesystem::path& folder) override;
};

}  // namespace cindral::platform::win32
