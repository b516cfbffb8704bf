#pragma once
// Where the settings file lives: beside the program when its folder is writable,
// otherwise in the user's configuration folder, so that a save from an installed
// copy is not silently lost.

#include <filesystem>

namespace cindral::startup {

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

// The settings file for a program in `exeDir`: `exeDir`/Cindral.ini when
// `exeDirWritable`, else the file in UserSettingsFolder (still beside the
// program when that is empty).
std::filesystem::path SettingsFilePath(const std::filesystem::path& exeDir,
                                       const SettingsEnvironment& env, bool exeDirWritable);

// The same for this process, testing the folder by creating a file in it.
std::filesystem::path SettingsFilePath(const std::filesystem::path& exeDir);

// True when a new file can be created in `folder` (checked by creating and
// removing one, which also covers read-only media and access lists).
bool FolderIsWritable(const std::filesystem::path& folder);

}  // namespace cindral::startup
