#pragma once
// What the settings window's logic needs from a window system. A platform
// window (Qt on Linux, Win32 on Windows) implements both ports over its real
// controls and forwards every press and click to SettingsWindow; it decides
// nothing itself.
//
// Texts are UTF-8 (a Win32 window converts them to wide text). Any port call
// may fail by throwing: the step that made it is skipped and the next one
// runs, as every step of the window does.

#include <optional>
#include <string>

#include "config/settings.h"
#include "settings_window/geometry.h"
#include "settings_window/layout.h"

namespace cindral::settings_window {

// The window's controls as the user sees them. Indexes are the control-array
// indexes of the layout table (layout.h).
class SettingsView {
  public:
    virtual ~SettingsView() = default;
    // Sel_Img(index): 0..7 the fire kinds, 8 the random choice.
    virtual void ShowFireMarker(int index, bool on) = 0;
    // Img_BGM(index): the music kind `index`.
    virtual void ShowMusicMarker(int index, bool on) = 0;
    virtual void EnableRepeatCombo(bool enabled) = 0;  // BGM_Repeat
    virtual void EnableFileButton(bool enabled) = 0;   // zoButtons_H3
    // The editable text of BGM_Repeat; the user's edits come back through
    // SettingsWindow::RepeatTextEdited.
    virtual void SetRepeatText(const std::string& text) = 0;
    virtual void AddRepeatEntry(const std::string& text) = 0;
    virtual void SetFileCaption(const std::string& text) = 0;  // lbl_Fname
    // One line of the backdrop on Pic_C, from (0, y) to (width, y) inclusive.
    virtual void DrawBackdropLine(int y, int width, Rgb color) = 0;
    // One copy of the whole texture tile to `at` in the panel's drawing area;
    // the panel clips what lies outside. The drawings are kept across repaints.
    virtual void BlitTexture(Panel panel, Point at) = 0;
};

// The window itself and the screen around it.
class SettingsWindowPort {
  public:
    virtual ~SettingsWindowPort() = default;
    virtual ScreenMetrics Screen() = 0;
    // The frame's outer size and its top-left corner on the screen, in pixels.
    virtual void SetOuterSize(Size pixels) = 0;
    virtual void MoveOuter(Point pixels) = 0;
    // The frame's screen rectangle; nullopt when the window system cannot tell.
    virtual std::optional<Rect> WindowRect() = 0;
    // The cursor's screen position; nullopt when it cannot be read.
    virtual std::optional<Point> CursorPos() = 0;
    // Plays the caption-zoom outline from `from` to `to` without blocking input
    // afterwards; a platform that cannot draw it does nothing.
    virtual void AnimateZoom(const Rect& from, const Rect& to) = 0;
    // The screen-wide mouse pointer back to the default arrow.
    virtual void RestoreDefaultPointer() = 0;
    // Ends the modal window (the program ends with it). It may be called while
    // the window is already closing through its close box.
    virtual void Close() = 0;
};

// The open-file dialog for the music file, modal to the window: titled
// kFileDialogTitle, one filter kFileDialogFilterName matching
// kFileDialogPatterns without regard to case. The chosen full path as UTF-8,
// or nullopt when the user cancels or the dialog fails.
class MusicFileDialog {
  public:
    virtual ~MusicFileDialog() = default;
    virtual std::optional<std::string> ChooseMusicFile() = 0;
};

// Stores the four settings, in the order fire kind, music kind, repeat track,
// music file, as one replacement of the settings file. Failures are not
// reported to the user.
class SettingsSink {
  public:
    virtual ~SettingsSink() = default;
    virtual void Save(const config::Settings& settings) = 0;
};

}  // namespace cindral::settings_window
