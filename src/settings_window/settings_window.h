#pragma once
// The settings window's logic: the state of its controls over the four
// program-wide settings, which it edits in place, and every handler of its
// event table. A platform window forwards each mouse press and click of each
// control to MouseDown and Click; what they mean is decided here.
//
// Every step of the load sequence and of each handler runs on its own: a step
// that fails (a port that throws, an out-of-range kind) is skipped and the next
// one runs. Nothing is ever reported to the user.
//
//   SettingsWindow w(state.settings, origin, {view, window, dialog, sink});
//   w.Load();         // when the window is created, before it shows
//   w.Resized();      // on every resize of the window
//   w.ScreenChanged();  // after a move to a screen of another density
//   w.MouseDown(ControlId::FireImage, 3);  // any mouse button
//   w.RepeatTextEdited(comboText);          // on every edit of the combo box

#include <array>
#include <string>
#include <vector>

#include "config/settings.h"
#include "settings_window/geometry.h"
#include "settings_window/layout.h"
#include "settings_window/ports.h"

namespace cindral::settings_window {

struct SettingsWindowPorts {
    SettingsView& view;
    SettingsWindowPort& window;
    MusicFileDialog& dialog;
    SettingsSink& sink;
};

class SettingsWindow {
  public:
    SettingsWindow(config::Settings& settings, EffectOrigin& origin, SettingsWindowPorts ports);

    // The load sequence: size and place the window, tile the panels, show the
    // markers, enabled states, combo text and entries, the file caption, take
    // the effect origin from the cursor, zoom open and restore the pointer.
    void Load();
    // Window resize: draws the backdrop.
    void Resized();
    // The window moved to a screen of another density and has laid out its
    // controls anew (surfaces empty): reads the screen again, tiles the
    // panels and draws the backdrop at the new size.
    void ScreenChanged();
    // A press of any mouse button on a control; the button does not matter.
    void MouseDown(ControlId control, int index = 0);
    // A click (also the buttons' keyboard click); only lbl_Rdm handles it.
    void Click(ControlId control, int index = 0);
    // The user typed in or picked from the combo box.
    void RepeatTextEdited(const std::string& text);
    // The close box: unload without saving.
    void CloseBox();

    // The handlers of the event table, also reachable directly.
    void SelectFireKind(int kind);  // 0..7, or 8 for the random choice
    void SelectRandom();
    void SelectMusicKind(int kind);
    void ChooseMusicFile();
    void SaveAndClose();
    void Unload();

    // The controls' state, as shown.
    const std::array<bool, kFireMarkers>& FireMarkers() const { return fireMarkers_; }
    const std::array<bool, kMusicKinds>& MusicMarkers() const { return musicMarkers_; }
    bool RepeatComboEnabled() const { return repeatEnabled_; }
    bool FileButtonEnabled() const { return fileButtonEnabled_; }
    const std::string& RepeatText() const { return repeatText_; }
    const std::vector<std::string>& RepeatList() const { return repeatList_; }
    const std::string& FileCaption() const { return fileCaption_; }
    bool Unloaded() const { return unloaded_; }

  private:
    void SetFireMarker(int index, bool on);
    void SetMusicMarker(int index, bool on);
    void SetRepeatEnabled(bool enabled);
    void SetFileButtonEnabled(bool enabled);
    void SetRepeatText(const std::string& text);
    void SetFileCaption(const std::string& text);
    void DrawBackdrop();
    void TileTexture(Panel panel);

    config::Settings& settings_;
    EffectOrigin& origin_;
    SettingsWindowPorts ports_;

    std::array<bool, kFireMarkers> fireMarkers_{};
    std::array<bool, kMusicKinds> musicMarkers_{};
    bool repeatEnabled_ = true;
    bool fileButtonEnabled_ = true;
    std::string repeatText_;
    std::vector<std::string> repeatList_;
    std::string fileCaption_;
    bool unloaded_ = false;
    // The screen the window was last laid out for; 15 twips per pixel until
    // the load sequence reads it.
    ScreenMetrics screen_;
};

}  // namespace cindral::settings_window
