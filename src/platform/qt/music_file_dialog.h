#pragma once
// The music file's open dialog on Qt: titled "ﾌｧｲﾙを開く", one filter
// "BGMﾌｧｲﾙ (MP3 WAV)" that matches *.MP3 and *.WAV in any letter case (Linux
// names are case-sensitive, the filter is not). The file need not exist.

#include <QString>

#include "settings_window/ports.h"

class QFileDialog;
class QWidget;

namespace cindral::platform::qt {

class QtMusicFileDialog : public settings_window::MusicFileDialog {
  public:
    explicit QtMusicFileDialog(QWidget* owner) : owner_(owner) {}
    std::optional<std::string> ChooseMusicFile() override;

    // Gives `dialog` the title, the one filter and the open mode.
    static void Configure(QFileDialog& dialog);
    static QString NameFilter();

  private:
    QWidget* owner_;
};

}  // namespace cindral::platform::qt
