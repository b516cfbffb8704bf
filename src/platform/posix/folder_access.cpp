#include "platform/posix/folder_access.h"

#include <unistd.h>

#include <system_error>

namespace cindral::platform::posix {

bool PosixFolderAccess::CanCreateFilesIn(const std::filesystem::path& folder) {
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return false;
    // Creating an entry needs write and search permission on the folder; a
    // read-only mount fails the check with EROFS.
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace cindral::platform::posix
