#include "startup/settings_path.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <system_error>

#include "startup/profile_file.h"

namespace cindral::startup {
namespace fs = std::filesystem;
namespace {

fs::path Variable(const char* name) {
    const char* value = std::getenv(name);
    try {
        return value ? fs::path(value) : fs::path();
    } catch (const std::exception&) {
        return {};  // not convertible to a path here: as if unset
    }
}

}  // namespace

SettingsEnvironment CurrentSettingsEnvironment() {
    SettingsEnvironment env;
    env.windows = fs::path::preferred_separator == '\\';
    if (env.windows) {
        env.appData = Variable("APPDATA");
    } else {
        env.xdgConfigHome = Variable("XDG_CONFIG_HOME");
        env.home = Variable("HOME");
    }
    return env;
}

fs::path UserSettingsFolder(const SettingsEnvironment& env) {
    if (env.windows) {
        return env.appData.empty() ? fs::path() : env.appData / "Cindral";
    }
    // Relative values are to be ignored, as the base-directory rules say.
    if (env.xdgConfigHome.is_absolute()) return env.xdgConfigHome / "cindral";
    if (!env.home.empty()) return env.home / ".config" / "cindral";
    return {};
}

fs::path SettingsFilePath(const fs::path& exeDir, const SettingsEnvironment& env,
                          bool exeDirWritable) {
    if (!exeDirWritable) {
        const fs::path user = UserSettingsFolder(env);
        if (!user.empty()) return user / kSettingsFileName;
    }
    return exeDir / kSettingsFileName;
}

fs::path SettingsFilePath(const fs::path& exeDir) {
    return SettingsFilePath(exeDir, CurrentSettingsEnvironment(), FolderIsWritable(exeDir));
}

bool FolderIsWritable(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return false;
    const fs::path probe = UnusedNameBeside(folder / kSettingsFileName);
    bool created = false;
    {
        std::ofstream out(probe, std::ios::binary);
        created = out.is_open();
    }
    if (created) fs::remove(probe, ec);
    return created;
}

}  // namespace cindral::startup
