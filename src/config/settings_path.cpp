#include "config/settings_path.h"

#include <system_error>

namespace cindral::config {
namespace fs = std::filesystem;

SettingsFiles ChooseSettingsFiles(const fs::path& exeDir, const fs::path& userFolder,
                                  bool exeDirWritable) {
    const fs::path besideProgram = exeDir / kSettingsFileName;
    if (exeDirWritable || userFolder.empty()) return {besideProgram, besideProgram};
    const fs::path user = userFolder / kSettingsFileName;
    std::error_code ec;
    const bool userHasOne = fs::exists(user, ec);
    const bool programHasOne = !userHasOne && fs::is_regular_file(besideProgram, ec);
    return {programHasOne ? besideProgram : user, user};
}

SettingsFiles ChooseSettingsFiles(const fs::path& exeDir, FolderAccess& access,
                                  SettingsLocation& location) {
    const bool writable = access.CanCreateFilesIn(exeDir);
    return ChooseSettingsFiles(exeDir, writable ? fs::path() : location.UserSettingsFolder(),
                               writable);
}

}  // namespace cindral::config
