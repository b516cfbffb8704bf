#pragma once
// The open-file dialog for the music file (GetOpenFileNameW), with the one
// filter and the title of the layout. A path the system's ANSI code page
// cannot hold is handed on as its short (8.3) path, which the settings file
// can store; with no short path either the file stays unchosen.

#include "platform/win32/win32.h"
#include "settings_window/ports.h"

namespace cindral::platform::win32 {

class Win32MusicFileDialog final : public settings_window::MusicFileDialog {
  public:
    explicit Win32MusicFileDialog(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> ChooseMusicFile() override;

  private:
    HWND owner_;
};

}  // namespace cindral::platform::win32
