#pragma once
// The settings window on Win32: builds every control of the layout table
// (kept surfaces, pictures, labels, a real CBS_DROPDOWN combo box and three
// zoButtons_H buttons), shows what the settings window's logic tells it and
// forwards every press and click to it. Client area 549 x 393 at 96 dots per
// inch, scaled with the monitor's density and followed when it changes; fixed
// size, close box only.

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/music_file_dialog.h"
#include "platform/win32/settings_parts.h"
#include "platform/win32/win32.h"
#include "platform/win32/zo_button_window.h"
#include "settings_window/settings_window.h"

namespace cindral::platform::win32 {

// Stores the settings with the music path in the ANSI code page; a failed
// save is told on standard error and remembered.
class Win32SettingsSink final : public settings_window::SettingsSink {
  public:
    explicit Win32SettingsSink(std::filesystem::path file) : file_(std::move(file)) {}
    void Save(const config::Settings& settings) override;
    bool Failed() const { return failed_; }

  private:
    std::filesystem::path file_;
    bool failed_ = false;
};

class Win32SettingsWindow final : private settings_window::SettingsView,
                                  private settings_window::SettingsWindowPort {
  public:
    Win32SettingsWindow(config::Settings& settings, settings_window::EffectOrigin& origin,
                        settings_window::SettingsSink& sink);
    ~Win32SettingsWindow() override;

    HWND Handle() const { return window_; }
    // The child window of a control of the layout table; nullptr when there
    // is none.
    HWND ControlWindow(settings_window::ControlId id, int index = 0) const;
    void Load() { core_->Load(); }
    // Shows the window and runs its messages until it has closed.
    void RunModal();

  private:
    // Where a control of the table goes: its parent window, its rectangle in
    // the parent, and the surface under it (null on the window itself).
    struct Placement {
        HWND parent;
        RECT at;
        SettingsPart* container;
    };
    // A control made from the table; `part` is null for the combo box and the
    // push buttons.
    struct Placed {
        HWND window;
        const settings_window::ControlEntry* entry;
        const SettingsPart* container;
        SettingsPart* part;
    };
    static constexpr int kComboId = 100;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    // Creates every control of the table; ApplyScale then places and sizes them.
    void BuildControls();
    SettingsPart* AddPart(SettingsPart::Kind kind, const settings_window::ControlEntry& entry,
                          const Placement& place);
    void MakeSurface(const settings_window::ControlEntry& entry, const Placement& place);
    void MakeFrame(const settings_window::ControlEntry& entry, const Placement& place);
    void MakePicture(const settings_window::ControlEntry& entry, const Placement& place);
    void MakeLabel(const settings_window::ControlEntry& entry, const Placement& place);
    void MakeCombo(const settings_window::ControlEntry& entry, const Placement& place);
    void MakeButton(const settings_window::ControlEntry& entry, const Placement& place);
    // The width of `text` in the label font drawn in `label`, in pixels.
    int TextWidth(const std::wstring& text, HWND label) const;
    void OnComboCommand(WPARAM w);
    // The screen at the window's density, and the client area there.
    settings_window::ScreenMetrics Metrics() const;
    settings_window::Size ClientSize() const;
    // Where a control sits in its parent at the window's density: its table
    // rectangle scaled, a combo box as tall as its list, a label grown to its
    // text in the current font.
    RECT PlaceOf(const Placed& p) const;
    // Lays every control out for the current density: places, surfaces,
    // fonts, picture scale, the file label's shortening.
    void ApplyScale();
    // What of a part follows its size and the density.
    void Rescale(SettingsPart& part, const settings_window::ControlEntry& entry,
                 const settings_window::ScreenMetrics& metrics);
    // The music path shortened for the file label at the current density.
    void ShowFileCaption();
    // WM_DPICHANGED: the window moved to a monitor of `dpi` dots per inch.
    void DpiChanged(int dpi, const RECT* suggested);

    // SettingsView
    void ShowFireMarker(int index, bool on) override;
    void ShowMusicMarker(int index, bool on) override;
    void EnableRepeatCombo(bool enabled) override;
    void EnableFileButton(bool enabled) override;
    void SetRepeatText(const std::string& text) override;
    void AddRepeatEntry(const std::string& text) override;
    void SetFileCaption(const std::string& text) override;
    void DrawBackdropLine(int y, int width, settings_window::Rgb color) override;
    void BlitTexture(settings_window::Panel panel, settings_window::Point at) override;

    // SettingsWindowPort
    settings_window::ScreenMetrics Screen() override;
    void SetOuterSize(settings_window::Size pixels) override;
    void MoveOuter(settings_window::Point pixels) override;
    std::optional<settings_window::Rect> WindowRect() override;
    std::optional<settings_window::Point> CursorPos() override;
    void AnimateZoom(const settings_window::Rect& from, const settings_window::Rect& to) override;
    void RestoreDefaultPointer() override;
    void Close() override;

    HWND window_ = nullptr;
    int dpi_ = 96;
    HFONT labelFont_ = nullptr;
    Win32MusicFileDialog dialog_;
    std::unique_ptr<settings_window::SettingsWindow> core_;
    settings_window::Image markerOff_, markerOn_, texture_;
    std::array<settings_window::Image, 8> previews_;
    std::vector<std::unique_ptr<SettingsPart>> parts_;
    SettingsPart* backdrop_ = nullptr;
    std::array<SettingsPart*, 2> panels_{};
    std::array<SettingsPart*, settings_window::kFireMarkers> fireMarkers_{};
    std::array<SettingsPart*, settings_window::kMusicKinds> musicMarkers_{};
    SettingsPart* fileName_ = nullptr;
    std::string fileText_;  // the music path the file label shortens
    std::vector<Placed> placed_;
    HWND combo_ = nullptr;
    std::array<std::unique_ptr<ZoButtonWindow>, 3> buttons_;
    bool settingText_ = false;
    bool closing_ = false;
};

// The settings mode: the window over `settings`, saving to `file`. Returns
// the program's exit status.
int RunSettingsWindow(config::Settings& settings, const std::filesystem::path& file);

}  // namespace cindral::platform::win32
