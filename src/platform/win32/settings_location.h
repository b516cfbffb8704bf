#pragma once
// The settings file on Windows: beside the .scr when that folder is writable,
// else in %APPDATA%\Cindral\, with every path kept as wide text. The music
// file's path is stored in the system's ANSI code page, as older settings
// files hold it.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "config/settings_path.h"
#include "config/settings_store.h"

namespace cindral::platform::win32 {

// The folder of this program's file (GetModuleFileNameW).
std::filesystem::path ProgramFolder();

// %APPDATA%\Cindral; empty when `appData` is.
std::filesystem::path AppDataSettingsFolder(const std::filesystem::path& appData);

// The rule over this process's %APPDATA%, read as wide text.
class Win32SettingsLocation final : public config::SettingsLocation {
  public:
    std::filesystem::path UserSettingsFolder() override;
};

// Where this program reads and saves its settings (see ChooseSettingsFiles).
config::SettingsFiles WindowsSettingsFiles();

// Gives the short (8.3) form of a path, or nothing when the volume keeps none.
using ShortPathLookup = std::function<std::optional<std::wstring>(const std::wstring&)>;
std::optional<std::wstring> SystemShortPath(const std::wstring& path);

// The music path's bytes for the file: the path in `codePage` when every
// character has an exact equivalent there, else its short path when that one
// does, else nothing (the file stays unchosen).
std::optional<std::string> StoredMusicPath(std::string_view utf8, unsigned codePage,
                                           const ShortPathLookup& shortPath = SystemShortPath);

// The codec for the settings store, in the system's ANSI code page.
config::StoredPathCodec AnsiMusicPathCodec();

}  // namespace cindral::platform::win32
