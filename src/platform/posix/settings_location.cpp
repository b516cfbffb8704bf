#include "platform/posix/settings_location.h"

#include <cstdlib>

namespace cindral::platform::posix {

namespace fs = std::filesystem;

fs::path XdgSettingsFolder(const fs::path& xdgConfigHome, const fs::path& home) {
    if (xdgConfigHome.is_absolute()) return xdgConfigHome / "cindral";
    if (!home.empty()) return home / ".config" / "cindral";
    return {};
}

fs::path PosixSettingsLocation::UserSettingsFolder() {
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? fs::path(value) : fs::path();
    };
    return XdgSettingsFolder(variable("XDG_CONFIG_HOME"), variable("HOME"));
}

}  // namespace cindral::platform::posix
