#include "settings_window/settings_window.h"

#include "fire/fire_options.h"
#include "settings_window/repeat_text.h"
#include "startup/resume_next.h"

namespace cindral::settings_window {

using startup::ResumeNext;  // a control that fails to update is skipped

namespace {

// Characters of a UTF-8 text (bytes that do not continue a character).
std::size_t CharacterCount(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

SettingsWindow::SettingsWindow(config::Settings& settings, EffectOrigin& origin,
                               SettingsWindowPorts ports)
    : settings_(settings), origin_(origin), ports_(ports) {}

void SettingsWindow::Load() {
    ResumeNext([&] {
        screen_ = ports_.window.Screen();
        ports_.window.SetOuterSize(WindowGeometry(kClientSize, screen_).sizePixels);
    });
    ResumeNext([&] {
        screen_ = ports_.window.Screen();
        ports_.window.MoveOuter(WindowGeometry(kClientSize, screen_).positionPixels);
    });
    TileTexture(Panel::Fire);
    TileTexture(Panel::Music);

    for (int i = 0; i < kFireMarkers; ++i) ResumeNext([&] { SetFireMarker(i, false); });
    ResumeNext([&] { SetFireMarker(settings_.FireKind, true); });
    for (int i = 0; i < kMusicKinds; ++i) ResumeNext([&] { SetMusicMarker(i, false); });
    ResumeNext([&] { SetFileButtonEnabled(false); });
    ResumeNext([&] { SetRepeatEnabled(false); });
    ResumeNext([&] { SetMusicMarker(settings_.MusicKind, true); });
    ResumeNext([&] {
        if (settings_.MusicKind == config::kCdMusic) SetRepeatEnabled(true);
    });
    ResumeNext([&] {
        if (settings_.MusicKind == config::kFileMusic) SetFileButtonEnabled(true);
    });

    ResumeNext([&] { SetRepeatText(FormatTrack(settings_.RepeatTrack)); });
    for (const std::string& entry : RepeatEntries()) {
        ResumeNext([&] {
            ports_.view.AddRepeatEntry(entry);
            repeatList_.push_back(entry);
        });
    }
    ResumeNext([&] { SetFileCaption(settings_.MusicFile); });
    ResumeNext([&] { SetRepeatText(FormatTrack(settings_.RepeatTrack)); });

    ResumeNext([&] {
        std::optional<Point> cursor;
        try {
            cursor = ports_.window.CursorPos();
        } catch (...) {
        }
        origin_ = EffectOriginFrom(cursor ? &*cursor : nullptr);
    });
    ResumeNext([&] {
        if (const std::optional<Rect> frame = ports_.window.WindowRect()) {
            const ZoomRects zoom = ZoomWindowOpen(origin_, *frame);
            ports_.window.AnimateZoom(zoom.from, zoom.to);
        }
    });
    ResumeNext([&] { ports_.window.RestoreDefaultPointer(); });
}

void SettingsWindow::Resized() { DrawBackdrop(); }

void SettingsWindow::ScreenChanged() {
    ResumeNext([&] { screen_ = ports_.window.Screen(); });
    TileTexture(Panel::Fire);
    TileTexture(Panel::Music);
    DrawBackdrop();
}

void SettingsWindow::MouseDown(ControlId control, int index) {
    if (unloaded_) return;
    switch (control) {
        case ControlId::FireImage:
        case ControlId::FireMarker:
            SelectFireKind(index);
            break;
        case ControlId::MusicMarker:
        case ControlId::MusicLabel:
            SelectMusicKind(index);
            break;
        case ControlId::SaveButton:
            SaveAndClose();
            break;
        case ControlId::CancelButton:
            Unload();
            break;
        case ControlId::FileButton:
            // A disabled control raises no events.
            if (fileButtonEnabled_) ChooseMusicFile();
            break;
        default:
            break;  // titles, labels and the file name have no handler
    }
}

void SettingsWindow::Click(ControlId control, int /*index*/) {
    if (unloaded_) return;
    // The buttons' Click (Space, access key) is deliberately not handled.
    if (control == ControlId::RandomLabel) SelectRandom();
}

void SettingsWindow::RepeatTextEdited(const std::string& text) { repeatText_ = text; }

void SettingsWindow::CloseBox() { Unload(); }

void SettingsWindow::SelectFireKind(int kind) {
    ResumeNext([&] { settings_.FireKind = static_cast<std::int16_t>(kind); });
    for (int i = 0; i < kFireMarkers; ++i) ResumeNext([&] { SetFireMarker(i, false); });
    ResumeNext([&] { SetFireMarker(settings_.FireKind, true); });
}

void SettingsWindow::SelectRandom() {
    ResumeNext([&] { settings_.FireKind = fire::kRandomFireKind; });
    for (int i = 0; i < fire::kRandomFireKind; ++i) ResumeNext([&] { SetFireMarker(i, false); });
    ResumeNext([&] { SetFireMarker(fire::kRandomFireKind, true); });
}

void SettingsWindow::SelectMusicKind(int kind) {
    ResumeNext([&] { SetFileButtonEnabled(false); });
    ResumeNext([&] { SetRepeatEnabled(false); });
    for (int i = 0; i < kMusicKinds; ++i) ResumeNext([&] { SetMusicMarker(i, false); });
    ResumeNext([&] { SetMusicMarker(kind, true); });
    ResumeNext([&] {
        if (kind == 1) SetRepeatEnabled(true);
    });
    ResumeNext([&] {
        if (kind == 2) SetFileButtonEnabled(true);
    });
    ResumeNext([&] { settings_.MusicKind = static_cast<std::int16_t>(kind); });
}

void SettingsWindow::ChooseMusicFile() {
    std::optional<std::string> chosen;
    ResumeNext([&] { chosen = ports_.dialog.ChooseMusicFile(); });
    if (!chosen || chosen->empty() || CharacterCount(*chosen) > kMaxMusicPathChars) return;
    ResumeNext([&] { settings_.MusicFile = *chosen; });
    ResumeNext([&] { SetFileCaption(settings_.MusicFile); });
}

void SettingsWindow::SaveAndClose() {
    ResumeNext([&] { settings_.RepeatTrack = TrackFromText(repeatText_, settings_.RepeatTrack); });
    ResumeNext([&] { ports_.sink.Save(settings_); });
    Unload();
}

void SettingsWindow::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ResumeNext([&] {
        if (const std::optional<Rect> frame = ports_.window.WindowRect()) {
            const ZoomRects zoom = ZoomWindowClose(origin_, *frame);
            ports_.window.AnimateZoom(zoom.from, zoom.to);
        }
    });
    ResumeNext([&] { ports_.window.Close(); });
}

void SettingsWindow::SetFireMarker(int index, bool on) {
    fireMarkers_.at(static_cast<std::size_t>(index)) = on;  // out of range: the step fails
    ports_.view.ShowFireMarker(index, on);
}

void SettingsWindow::SetMusicMarker(int index, bool on) {
    musicMarkers_.at(static_cast<std::size_t>(index)) = on;
    ports_.view.ShowMusicMarker(index, on);
}

void SettingsWindow::SetRepeatEnabled(bool enabled) {
    repeatEnabled_ = enabled;
    ports_.view.EnableRepeatCombo(enabled);
}

void SettingsWindow::SetFileButtonEnabled(bool enabled) {
    fileButtonEnabled_ = enabled;
    ports_.view.EnableFileButton(enabled);
}

void SettingsWindow::SetRepeatText(const std::string& text) {
    repeatText_ = text;
    ports_.view.SetRepeatText(text);
}

void SettingsWindow::SetFileCaption(const std::string& text) {
    fileCaption_ = text;
    ports_.view.SetFileCaption(text);
}

void SettingsWindow::DrawBackdrop() {
    const Size client = ScaledSize(kClientSize, screen_);
    for (const BackdropLine& line : BackdropLines(client.height)) {
        ResumeNext([&] { ports_.view.DrawBackdropLine(line.y, client.width, line.color); });
    }
}

void SettingsWindow::TileTexture(Panel panel) {
    const int scale = PictureScale(screen_);
    const Size tile{kTextureTile.width * scale, kTextureTile.height * scale};
    for (const Point& at : TilePositions(PanelDrawingArea(panel, screen_), tile)) {
        ResumeNext([&] { ports_.view.BlitTexture(panel, at); });
    }
}

}  // namespace cindral::settings_window
