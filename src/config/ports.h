#pragma once
// The ports of the settings file's location: what only the platform knows
// about a folder, and where it keeps a user's own settings.

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

// The platform's rule for the user's settings folder.
class SettingsLocation {
  public:
    virtual ~SettingsLocation() = default;
    // The folder for this user's settings file; empty when the environment
    // names none.
    virtual std::filesystem::path UserSettingsFolder() = 0;
};

}  // namespace cindral::config
