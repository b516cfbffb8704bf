#pragma once
// Where the settings file lives: beside the program when its folder is writable,
// otherwise in the user's configuration folder, so that a save from an installed
// copy is not silently lost.

#include <filesystem>

#include "config/ports.h"

namespace cindral::config {

inline constexpr char kSettingsFileName[] = "Cindral.ini";

// The settings files for a program in `exeDir`.
struct SettingsFiles {
    std::filesystem::path read;  // where the settings are loaded from
    std::filesystem::path save;  // where a save writes them
};

// Beside the program when `exeDirWritable`; else saved in `userFolder`
// (still beside the program when that is empty) and read from there, or from
// beside the program while the user's folder holds no settings file yet, so a
// file that came with a read-only copy of the program is still used.
SettingsFiles ChooseSettingsFiles(const std::filesystem::path& exeDir,
                                  const std::filesystem::path& userFolder, bool exeDirWritable);

// The same, asking `access` whether the program's folder is writable and,
// when it is not, `location` for the user's folder.
SettingsFiles ChooseSettingsFiles(const std::filesystem::path& exeDir, FolderAccess& access,
                                  SettingsLocation& location);

}  // namespace cindral::config
