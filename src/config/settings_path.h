#pragma once
// Where the settings file lives: beside the program when its folder is writable,
// otherwise in the user's configuration folder, so that a save from an installed
// copy is not silently lost.

#include <filesystem>

#include "config/ports.h"

namespace cindral::config {

inline constexpr char kSettingsFileName[] = "Cindral.ini";

// The parts of the environment the choice depends on. Empty paths are unset.
struct SettingsEnvironment {
    bool windows = false;
    std::filesystem::path appData;        // %APPDATA% (Windows)
    std::filesystem::path xdgConfigHome;  // $XDG_CONFIG_HOME (elsewhere)
    std::filesystem::path home;           // $HOME (elsewhere)
};

// This process's environment.
SettingsEnvironment CurrentSettingsEnvironment();

// The user's folder for the settings file: %APPDATA%\Cindral on Windows,
// $XDG_CONFIG_HOME/cindral elsewhere, or ~/.config/cindral when that variable is
// unset or not absolute; empty when the environment names no such folder.
std::filesystem::path UserSettingsFolder(const SettingsEnvironment& env);

// The settings files for a program in `exeDir`.
struct SettingsFiles {
    std::filesystem::path read;  // where the settings are loaded from
    std::filesystem::path save;  // where a save writes them
};

// Beside the program when `exeDirWritable`; else saved in UserSettingsFolder
// (still beside the program when that is empty) and read from there, or from
// beside the program while the user's folder holds no settings file yet, so a
// file that came with a read-only copy of the program is still used.
SettingsFiles ChooseSettingsFiles(const std::filesystem::path& exeDir,
                                  const SettingsEnvironment& env, bool exeDirWritable);

// The same for this process's environment, asking `access` whether the
// program's folder is writable.
SettingsFiles ChooseSettingsFiles(const std::filesystem::path& exeDir, FolderAccess& access);

}  // namespace cindral::config
