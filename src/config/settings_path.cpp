#include "config/settings_path.h"

#include <cstdlib>
#include <exception>
#include <system_error>

namespace cindral::config {
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

SettingsFiles ChooseSettingsFiles(const fs::path& exeDir, const SettingsEnvironment& env,
                                  bool exeDirWritable) {
    const fs::path besideProgram = exeDir / kSettingsFileName;
    const fs::path userFolder = exeDirWritable ? fs::path() : UserSettingsFolder(env);
    if (userFolder.empty()) return {besideProgram, besideProgram};
    const fs::path user = userFolder / kSettingsFileName;
    std::error_code ec;
    const bool userHasOne = fs::exists(user, ec);
    const bool programHasOne = !userHasOne && fs::is_regular_file(besideProgram, ec);
    return {programHasOne ? besideProgram : user, user};
}

SettingsFiles ChooseSettingsFiles(const fs::path& exeDir, FolderAccess& access) {
    return ChooseSettingsFiles(exeDir, CurrentSettingsEnvironment(),
                               access.CanCreateFilesIn(exeDir));
}

}  // namespace cindral::config
