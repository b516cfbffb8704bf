#include "platform/win32/settings_location.h"

#include "platform/win32/folder_access.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return fs::current_path();
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

fs::path AppDataSettingsFolder(const fs::path& appData) {
    return appData.empty() ? fs::path() : appData / L"Cindral";
}

fs::path Win32SettingsLocation::UserSettingsFolder() {
    fs::path appData;
    DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (size > 1) {
        std::wstring value(size, L'\0');
        DWORD length = GetEnvironmentVariableW(L"APPDATA", value.data(), size);
        value.resize(length < size ? length : 0);
        appData = fs::path(value);
    }
    return AppDataSettingsFolder(appData);
}

config::SettingsFiles WindowsSettingsFiles() {
    Win32FolderAccess access;
    Win32SettingsLocation location;
    return config::ChooseSettingsFiles(ProgramFolder(), access, location);
}

std::optional<std::wstring> SystemShortPath(const std::wstring& path) {
    DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring out(size, L'\0');
    DWORD length = GetShortPathNameW(path.c_str(), out.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    out.resize(length);
    return out;
}

std::optional<std::string> StoredMusicPath(std::string_view utf8, unsigned codePage,
                                           const ShortPathLookup& shortPath) {
    const std::wstring wide = WideFromUtf8(utf8);
    if (auto ansi = AnsiFromWide(wide, codePage)) return ansi;
    if (auto alias = shortPath(wide)) return AnsiFromWide(*alias, codePage);
    return std::nullopt;
}

config::StoredPathCodec AnsiMusicPathCodec() {
    return {[](std::string_view stored) { return Utf8FromWide(WideFromAnsi(stored, CP_ACP)); },
            [](std::string_view utf8) { return StoredMusicPath(utf8, CP_ACP); }};
}

}  // namespace cindral::platform::win32
