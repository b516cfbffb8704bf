#pragma once
// The settings window on Qt 6 Widgets: builds every control of the layout
// table, shows what the settings window's logic tells it and forwards every
// press and click to it. Client area 549 x 393, fixed; close box only.
//
//   QtSettingsWindow window(state.settings, origin, sink);
//   window.Load();    // the load sequence (sizes, places, zooms open)
//   window.show();
//   app.exec();       // returns after the window has closed

#include <QComboBox>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "platform/qt/music_file_dialog.h"
#include "platform/qt/settings_widgets.h"
#include "platform/qt/zoom_outline.h"
#include "settings_window/settings_window.h"

namespace cindral::platform::qt {

class ZoButtonWidget;

class QtSettingsWindow : public QWidget,
                         private settings_window::SettingsView,
                         private settings_window::SettingsWindowPort {
    Q_OBJECT

  public:
    // `dialog` null: the window's own Qt file dialog.
    QtSettingsWindow(config::Settings& settings, settings_window::EffectOrigin& origin,
                     settings_window::SettingsSink& sink,
                     settings_window::MusicFileDialog* dialog = nullptr);
    ~QtSettingsWindow() override;

    void Load() { core_->Load(); }
    settings_window::SettingsWindow& Core() { return *core_; }
    // Runs once the window has closed and its closing zoom has ended.
    std::function<void()> onClosed;
    // Runs after the first paint of the window's backdrop.
    std::function<void()> onFirstPaint;

    // The widgets, for tests.
    QComboBox& RepeatCombo() { return *combo_; }
    ZoButtonWidget& Button(settings_window::ControlId id);
    QWidget& Control(settings_window::ControlId id, int index = 0);

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
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

    void BuildControls();
    QWidget* MakeSurface(const settings_window::ControlEntry& entry, QWidget* container);
    QWidget* MakePicture(const settings_window::ControlEntry& entry, QWidget* container);
    QWidget* MakeLabel(const settings_window::ControlEntry& entry, QWidget* container);
    QWidget* MakeCombo(QWidget* container);
    QWidget* MakeButton(const settings_window::ControlEntry& entry, QWidget* container);
    QWidget* ContainerOf(const settings_window::ControlEntry& entry);
    ControlInput InputFor(const settings_window::ControlEntry& entry);

    QtMusicFileDialog ownDialog_;
    std::unique_ptr<settings_window::SettingsWindow> core_;
    QImage markerOff_, markerOn_, texture_;
    std::array<QImage, 8> previews_;
    RetainedSurface* backdrop_ = nullptr;
    std::array<RetainedSurface*, 2> panels_{};
    std::array<PictureControl*, settings_window::kFireMarkers> fireMarkers_{};
    std::array<PictureControl*, settings_window::kMusicKinds> musicMarkers_{};
    QComboBox* combo_ = nullptr;
    TextLabel* fileName_ = nullptr;
    std::array<ZoButtonWidget*, settings_window::kPushButtons> buttons_{};
    std::vector<std::pair<const settings_window::ControlEntry*, QWidget*>> controls_;
    ZoomOutline zoom_;
    std::optional<settings_window::Size> requestedOuter_;
    bool closing_ = false;
};

}  // namespace cindral::platform::qt
