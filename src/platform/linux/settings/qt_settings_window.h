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

#include "platform/linux/settings/qt_music_file_dialog.h"
#include "platform/linux/settings/settings_widgets.h"
#include "platform/linux/settings/zoom_outline.h"
#include "settings/settings_window.h"

namespace cindral::platform::linux {

class ZoButtonWidget;

class QtSettingsWindow : public QWidget,
                         private settings::SettingsView,
                         private settings::SettingsWindowPort {
    Q_OBJECT

  public:
    // `dialog` null: the window's own Qt file dialog.
    QtSettingsWindow(startup::Settings& settings, settings::EffectOrigin& origin,
                     settings::SettingsSink& sink, settings::MusicFileDialog* dialog = nullptr);
    ~QtSettingsWindow() override;

    void Load() { core_->Load(); }
    settings::SettingsWindow& Core() { return *core_; }
    // Runs once the window has closed and its closing zoom has ended.
    std::function<void()> onClosed;
    // Runs after the first paint of the window's backdrop.
    std::function<void()> onFirstPaint;

    // The widgets, for tests.
    QComboBox& RepeatCombo() { return *combo_; }
    ZoButtonWidget& Button(settings::ControlId id);
    QWidget& Control(settings::ControlId id, int index = 0);

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

    void BuildControls();
    QWidget* ContainerOf(const settings::ControlSpec& entry);
    ControlInput InputFor(const settings::ControlSpec& entry);

    QtMusicFileDialog ownDialog_;
    std::unique_ptr<settings::SettingsWindow> core_;
    QImage markerOff_, markerOn_, texture_;
    std::array<QImage, 8> previews_;
    RetainedSurface* backdrop_ = nullptr;
    std::array<RetainedSurface*, 2> panels_{};
    std::array<PictureControl*, settings::kFireMarkers> fireMarkers_{};
    std::array<PictureControl*, settings::kMusicKinds> musicMarkers_{};
    QComboBox* combo_ = nullptr;
    TextLabel* fileName_ = nullptr;
    std::array<ZoButtonWidget*, settings::kPushButtons> buttons_{};
    std::vector<std::pair<const settings::ControlSpec*, QWidget*>> controls_;
    ZoomOutline zoom_;
    std::optional<settings::Size> requestedOuter_;
    bool closing_ = false;
};

}  // namespace cindral::platform::linux
