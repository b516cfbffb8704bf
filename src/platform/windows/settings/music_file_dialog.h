#pragma once
// The open-file dialog for the music file (GetOpenFileNameW), with the one
// filter and the title of the layout. A path the system's ANSI code page
// cannot hold is handed on as its short (8.3) path, which the settings file
// can store; with no short path either the file stays unchosen.

#include "platform/windows/win32.h"
#include "settings/ports.h"

namespace cindral::platform::windows {

class Win32MusicFileDialog final : public settings::MusicFileDialog {
  public:
    explicit Win32MusicFileDialog(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> ChooseMusicFile() override;

  private:
    HWND owner_;
};

}  // namespace cindral::platform::windows
