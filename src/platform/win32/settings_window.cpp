#include "platform/win32/settings_window.h"

#include <cstdio>
#include <stdexcept>

#include "config/settings_store.h"
#include "platform/win32/dpi.h"
#include "platform/win32/gdi_display.h"
#include "platform/win32/settings_conversions.h"
#include "platform/win32/settings_location.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"
#include "settings_window/file_caption.h"
#include "settings_window/pictures.h"

namespace cindral::platform::win32 {

namespace {

using settings_window::ControlEntry;
using settings_window::ControlId;

constexpr wchar_t kWindowClass[] = L"CindralSettingsWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Gives the window the client area `client`, measuring the frame the system
// really drew (it may be measured at another density than the one asked for).
void FitClient(HWND window, SIZE client, const POINT* at) {
    const SIZE outer = OuterSizeForClient(client, kStyle, WindowDpi(window));
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE | (at ? 0 : SWP_NOMOVE);
    SetWindowPos(window, nullptr, at ? at->x : 0, at ? at->y : 0, outer.cx, outer.cy, keep);
    RECT frame{}, inside{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &inside);
    if (inside.right == client.cx && inside.bottom == client.cy) return;
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + client.cx - inside.right,
                 frame.bottom - frame.top + client.cy - inside.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// "ＭＳ Ｐゴシック" where the system has it; font linking and substitution
// give the Japanese UI font elsewhere. Its points at the screen's density.
HFONT MakeLabelFont(double twipsPerPixelY) {
    const int pixels =
        settings_window::FontPixels(settings_window::kLabelFontPoints, twipsPerPixelY);
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE,
                       WideFromUtf8(settings_window::kLabelFontFace).c_str());
}

}  // namespace

void Win32SettingsSink::Save(const config::Settings& settings) {
    if (config::SaveSettings(settings, file_, AnsiMusicPathCodec())) return;
    failed_ = true;
    std::fprintf(stderr, "cindral: the settings could not be saved to %s\n",
                 Utf8FromWide(file_.native()).c_str());
}

Win32SettingsWindow::Win32SettingsWindow(config::Settings& settings,
                                         settings_window::EffectOrigin& origin,
                                         settings_window::SettingsSink& sink)
    : markerOff_(settings_window::MarkerOff()),
      markerOn_(settings_window::MarkerOn()),
      texture_(settings_window::TextureTile()),
      previews_(settings_window::FirePreviews()) {
    RegisterWindowClass({kWindowClass, WindowProc, 0, GetSysColorBrush(COLOR_BTNFACE),
                         LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))});

    dpi_ = SystemDpi();
    const SIZE outer = OuterSizeForClient(ToSize(ClientSize()), kStyle, dpi_);
    window_ =
        CreateWindowExW(0, kWindowClass, WideFromUtf8(settings_window::kWindowCaption).c_str(),
                        kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("the settings window could not be created");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dialog_.SetOwner(window_);
    dpi_ = WindowDpi(window_);
    labelFont_ = MakeLabelFont(Metrics().twipsPerPixelY);
    core_ = std::make_unique<settings_window::SettingsWindow>(
        settings, origin, settings_window::SettingsWindowPorts{*this, *this, dialog_, sink});
    BuildControls();
    ApplyScale();
}

Win32SettingsWindow::~Win32SettingsWindow() {
    for (auto& b : buttons_) b.reset();
    parts_.clear();
    // The window goes with the program, which ends right after it: hiding or
    // destroying a shown window can wait for the desktop to confirm (two
    // seconds under Wine without a window manager).
    if (window_ && IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    if (labelFont_) DeleteObject(labelFont_);
}

void Win32SettingsWindow::DpiChanged(int dpi, const RECT* suggested) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    HFONT old = labelFont_;
    labelFont_ = MakeLabelFont(Metrics().twipsPerPixelY);
    ApplyScale();
    if (old) DeleteObject(old);
    core_->ScreenChanged();
    // The client area keeps its size in inches; the system's suggestion gives
    // the place on the new monitor.
    const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{};
    FitClient(window_, ToSize(ClientSize()), suggested ? &at : nullptr);
}

void Win32SettingsWindow::OnComboCommand(WPARAM w) {
    if (LOWORD(w) != kComboId || settingText_) return;
    const int code = HIWORD(w);
    std::wstring text;
    if (code == CBN_EDITCHANGE) {
        text.resize(static_cast<std::size_t>(GetWindowTextLengthW(combo_)) + 1);
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(combo_, text.data(), static_cast<int>(text.size()))));
    } else if (code == CBN_SELCHANGE) {
        const LRESULT item = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        if (item == CB_ERR) return;
        text.resize(static_cast<std::size_t>(SendMessageW(combo_, CB_GETLBTEXTLEN, item, 0)) + 1);
        text.resize(static_cast<std::size_t>(
            SendMessageW(combo_, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()))));
    } else {
        return;
    }
    core_->RepeatTextEdited(Utf8FromWide(text));
}

LRESULT CALLBACK Win32SettingsWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Win32SettingsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_SIZE:
            if (self->core_) self->core_->Resized();
            return 0;
        case WM_CLOSE:
            if (!self->closing_) self->core_->CloseBox();
            return 0;
        case WM_DPICHANGED:
            self->DpiChanged(HIWORD(w), reinterpret_cast<const RECT*>(l));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

void Win32SettingsWindow::RunModal() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32SettingsWindow::ShowFireMarker(int index, bool on) {
    fireMarkers_.at(static_cast<std::size_t>(index))->SetPicture(on ? markerOn_ : markerOff_);
}

void Win32SettingsWindow::ShowMusicMarker(int index, bool on) {
    musicMarkers_.at(static_cast<std::size_t>(index))->SetPicture(on ? markerOn_ : markerOff_);
}

void Win32SettingsWindow::EnableRepeatCombo(bool enabled) {
    EnableWindow(combo_, enabled ? TRUE : FALSE);
}

void Win32SettingsWindow::EnableFileButton(bool enabled) {
    buttons_[2]->Control().SetEnabled(enabled);
}

void Win32SettingsWindow::SetRepeatText(const std::string& text) {
    settingText_ = true;
    SetWindowTextW(combo_, WideFromUtf8(text).c_str());
    settingText_ = false;
}

void Win32SettingsWindow::AddRepeatEntry(const std::string& text) {
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

void Win32SettingsWindow::SetFileCaption(const std::string& text) {
    fileText_ = text;
    ShowFileCaption();
}

void Win32SettingsWindow::ShowFileCaption() {
    // Shortened for the label's width and font at the window's density.
    const settings_window::Rect area =
        settings_window::TextArea(*settings_window::FindControl(ControlId::FileName), Metrics());
    fileName_->SetText(WideFromUtf8(settings_window::FileCaptionText(
        fileText_, area.right - area.left,
        [this](std::string_view t) { return TextWidth(WideFromUtf8(t), fileName_->Handle()); })));
}

void Win32SettingsWindow::DrawBackdropLine(int y, int width, settings_window::Rgb c) {
    if (y < 0 || y >= ClientSize().height) return;
    backdrop_->Canvas()->FillRect({0, y, width + 1, y + 1}, button::Rgb(c.r, c.g, c.b));
    backdrop_->Invalidate();
}

void Win32SettingsWindow::BlitTexture(settings_window::Panel panel, settings_window::Point at) {
    SettingsPart* surface = panels_.at(static_cast<std::size_t>(panel));
    // The tile grows by whole pixels, as the window's other pictures.
    const int scale = settings_window::PictureScale(Metrics());
    RECT target{at.x, at.y, at.x + texture_.width * scale, at.y + texture_.height * scale};
    StretchImage(surface->Canvas()->Dc(), target, texture_.pixels.data(), texture_.width,
                 texture_.height);
    surface->Invalidate();
}

// The density of the window's own monitor (per-monitor awareness: the
// system scales nothing for this window).
settings_window::ScreenMetrics Win32SettingsWindow::Screen() { return Metrics(); }

void Win32SettingsWindow::SetOuterSize(settings_window::Size) {
    // The system draws the frame: the client area keeps the layout's size at
    // this density whatever this system's frame measures.
    FitClient(window_, ToSize(ClientSize()), nullptr);
}

void Win32SettingsWindow::MoveOuter(settings_window::Point pixels) {
    SetWindowPos(window_, nullptr, pixels.x, pixels.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<settings_window::Rect> Win32SettingsWindow::WindowRect() {
    RECT r{};
    if (!GetWindowRect(window_, &r)) return std::nullopt;
    return settings_window::Rect{r.left, r.top, r.right, r.bottom};
}

std::optional<settings_window::Point> Win32SettingsWindow::CursorPos() {
    POINT p{};
    if (!GetCursorPos(&p)) return std::nullopt;
    return settings_window::Point{p.x, p.y};
}

void Win32SettingsWindow::AnimateZoom(const settings_window::Rect& from,
                                      const settings_window::Rect& to) {
    const RECT a = ToRect(from), b = ToRect(to);
    DrawAnimatedRects(window_, IDANI_CAPTION, &a, &b);
}

void Win32SettingsWindow::RestoreDefaultPointer() {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

void Win32SettingsWindow::Close() {
    if (closing_) return;
    closing_ = true;
    PostQuitMessage(0);
}

int RunSettingsWindow(config::Settings& settings, const std::filesystem::path& file) {
    Win32SettingsSink sink(file);
    settings_window::EffectOrigin origin;
    try {
        Win32SettingsWindow window(settings, origin, sink);
        window.Load();
        window.RunModal();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cindral: %s\n", e.what());
        return 1;
    }
    return sink.Failed() ? 1 : 0;
}

}  // namespace cindral::platform::win32
