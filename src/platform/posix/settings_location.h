#pragma once
// The user's settings folder on POSIX desktops, by the XDG base-directory
// rules.

#include <filesystem>

#include "config/ports.h"

namespace cindral::platform::posix {

// $XDG_CONFIG_HOME/cindral, or ~/.config/cindral when that variable is unset
// or not absolute (relative values are to be ignored); empty with no home
// either.
std::filesystem::path XdgSettingsFolder(const std::filesystem::path& xdgConfigHome,
                                        const std::filesystem::path& home);

// The rule over this process's environment.
class PosixSettingsLocation final : public config::SettingsLocation {
  public:
    std::filesystem::path UserSettingsFolder() override;
};

}  // namespace cindral::platform::posix
