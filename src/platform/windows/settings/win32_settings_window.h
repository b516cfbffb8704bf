#pragma once
// The settings window on Win32: builds every control of the layout table
// (kept surfaces, pictures, labels, a real CBS_DROPDOWN combo box and three
// zoButtons_H buttons), shows what the settings window's logic tells it and
// forwards every press and click to it. Client area 549 x 393, fixed; close
// box only.

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/windows/button/zo_button_window.h"
#include "platform/windows/settings/music_file_dialog.h"
#include "platform/windows/settings/settings_parts.h"
#include "platform/windows/win32.h"
#include "settings/settings_window.h"

namespace cindral::platform::windows {

// Stores the settings with the music path in the ANSI code page; a failed
// save is told on standard error and remembered.
class Win32SettingsSink final : public settings::SettingsSink {
  public:
    explicit Win32SettingsSink(std::filesystem::path file) : file_(std::move(file)) {}
    void Save(const startup::Settings& settings) override;
    bool Failed() const { return failed_; }

  private:
    std::filesystem::path file_;
    bool failed_ = false;
};

class Win32SettingsWindow final : private settings::SettingsView,
                                  private settings::SettingsWindowPort {
  public:
    Win32SettingsWindow(startup::Settings& settings, settings::EffectOrigin& origin,
                        settings::SettingsSink& sink);
    ~Win32SettingsWindow() override;

    HWND Handle() const { return window_; }
    void Load() { core_->Load(); }
    // Shows the window and runs its messages until it has closed.
    void RunModal();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    void BuildControls();
    void OnComboCommand(WPARAM w);
    void GrowToText(HWND label, const std::wstring& text);

    // SettingsView
    void ShowFireMarker(int index, bool on) override;
    void ShowMusicMarker(int index, bool on) override;
    void EnableRepeatCombo(bool enabled) override;
    void EnableFileButton(bool enabled) override;
    void SetRepeatText(const std::string& text) override;
    void AddRepeatEntry(const std::string& text) override;
    void SetFileCaption(const std::string& text) override;
    void DrawBackdropLine(int y, int width, settings::Rgb color) override;
    void BlitTexture(settings::Panel panel, settings::Point at) override;

    // SettingsWindowPort
    settings::ScreenMetrics Screen() override;
    void SetOuterSize(settings::Size pixels) override;
    void MoveOuter(settings::Point pixels) override;
    std::optional<settings::Rect> WindowRect() override;
    std::optional<settings::Point> CursorPos() override;
    void AnimateZoom(const settings::Rect& from, const settings::Rect& to) override;
    void RestoreDefaultPointer() override;
    void Close() override;

    HWND window_ = nullptr;
    HFONT labelFont_ = nullptr;
    Win32MusicFileDialog dialog_;
    std::unique_ptr<settings::SettingsWindow> core_;
    settings::Image markerOff_, markerOn_, texture_;
    std::array<settings::Image, 8> previews_;
    std::vector<std::unique_ptr<SettingsPart>> parts_;
    SettingsPart* backdrop_ = nullptr;
    std::array<SettingsPart*, 2> panels_{};
    std::array<SettingsPart*, settings::kFireMarkers> fireMarkers_{};
    std::array<SettingsPart*, settings::kMusicKinds> musicMarkers_{};
    SettingsPart* fileName_ = nullptr;
    HWND combo_ = nullptr;
    std::array<std::unique_ptr<ZoButtonWindow>, 3> buttons_;
    bool settingText_ = false;
    bool closing_ = false;
};

// The settings mode: the window over `settings`, saving to `file`. Returns
// the program's exit status.
int RunSettingsWindow(startup::Settings& settings, const std::filesystem::path& file);

}  // namespace cindral::platform::windows
