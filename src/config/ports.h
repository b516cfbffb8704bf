#pragma once
// The port of the settings file's location: what only the platform knows
// about a folder.

#include <filesystem>

namespace cindral::config {

// What the platform can tell about a folder without writing to it.
class FolderAccess {
  public:
    virtual ~FolderAccess() = default;
    // True when this process may create files in `folder`: its permissions,
    // access lists and read-only media considered; false for a missing folder,
    // an empty path or a file.
    virtual bool CanCreateFilesIn(const std::filesystem::path& folder) = 0;
};

}  // namespace cindral::config
