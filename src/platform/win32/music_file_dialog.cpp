#include "platform/win32/music_file_dialog.h"

#include <commdlg.h>

#include "platform/win32/settings_location.h"
#include "platform/win32/wide_text.h"
#include "settings_window/layout.h"

namespace cindral::platform::win32 {

std::optional<std::string> Win32MusicFileDialog::ChooseMusicFile() {
    // The buffer holds the longest path the window accepts and its NUL.
    wchar_t file[settings_window::kMaxMusicPathChars + 1] = {};
    std::wstring filter = WideFromUtf8(settings_window::kFileDialogFilterName);
    filter.push_back(L'\0');
    filter += WideFromUtf8(settings_window::kFileDialogPatterns);
    filter.push_back(L'\0');
    const std::wstring title = WideFromUtf8(settings_window::kFileDialogTitle);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = static_cast<DWORD>(std::size(file));
    ofn.lpstrTitle = title.c_str();
    // No flags: the file need not exist (a missing one is dropped when the
    // settings are next loaded), and the dialog looks as the system has it.
    ofn.Flags = 0;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    const std::string chosen = Utf8FromWide(file);
    const std::optional<std::string> stored = StoredMusicPath(chosen, CP_ACP);
    if (!stored) return std::nullopt;
    return Utf8FromWide(WideFromAnsi(*stored, CP_ACP));
}

}  // namespace cindral::platform::win32
