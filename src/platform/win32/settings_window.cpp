#include "platform/win32/settings_window.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "config/settings_store.h"
#include "platform/win32/gdi_display.h"
#include "platform/win32/settings_location.h"
#include "platform/win32/wide_text.h"
#include "settings_window/button_properties.h"
#include "settings_window/file_caption.h"
#include "settings_window/file_settings_sink.h"
#include "settings_window/pictures.h"

namespace cindral::platform::win32 {

namespace {

using settings_window::ControlEntry;
using settings_window::ControlId;
using settings_window::ControlKind;

constexpr wchar_t kWindowClass[] = L"CindralSettingsWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kComboId = 100;

RECT ToRect(const settings_window::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

COLORREF ToColorRef(const settings_window::Colour& c) {
    switch (c.system) {
        case settings_window::SystemColour::WindowText:
            return GetSysColor(COLOR_WINDOWTEXT);
        case settings_window::SystemColour::Window:
            return GetSysColor(COLOR_WINDOW);
        case settings_window::SystemColour::None:
            break;
    }
    return RGB(c.rgb.r, c.rgb.g, c.rgb.b);
}

COLORREF ToColorRef(const settings_window::Rgb& c) { return RGB(c.r, c.g, c.b); }

// "ＭＳ Ｐゴシック" where the system has it; font linking and substitution
// give the Japanese UI font elsewhere.
HFONT MakeLabelFont() {
    return CreateFontW(-settings_window::kLabelFontPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE,
                       WideFromUtf8(settings_window::kLabelFontFace).c_str());
}

}  // namespace

Win32SettingsWindow::Win32SettingsWindow(config::Settings& settings,
                                         settings_window::EffectOrigin& origin,
                                         settings_window::SettingsSink& sink)
    : markerOff_(settings_window::MarkerOff()),
      markerOn_(settings_window::MarkerOn()),
      texture_(settings_window::TextureTile()),
      previews_(settings_window::FirePreviews()) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);

    RECT outer{0, 0, settings_window::kClientSize.width, settings_window::kClientSize.height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    window_ = CreateWindowExW(
        0, kWindowClass, WideFromUtf8(settings_window::kWindowCaption).c_str(), kStyle,
        CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("the settings window could not be created");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dialog_.SetOwner(window_);
    labelFont_ = MakeLabelFont();
    core_ = std::make_unique<settings_window::SettingsWindow>(
        settings, origin, settings_window::SettingsWindowPorts{*this, *this, dialog_, sink});
    BuildControls();
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

void Win32SettingsWindow::BuildControls() {
    for (const ControlEntry& entry : settings_window::Controls()) {
        Placement place{window_, ToRect(entry.rect), ContainerOf(entry.container)};
        if (place.container) {
            place.parent = place.container->Handle();
            // Inside a panel, positions count from within its border.
            OffsetRect(&place.at, place.container->Inset(), place.container->Inset());
        }
        switch (entry.look.kind) {
            case ControlKind::Surface:
                MakeSurface(entry, place);
                break;
            case ControlKind::Frame:
                MakeFrame(entry, place);
                break;
            case ControlKind::Picture:
                MakePicture(entry, place);
                break;
            case ControlKind::Label:
                MakeLabel(entry, place);
                break;
            case ControlKind::Combo:
                MakeCombo(place);
                break;
            case ControlKind::PushButton:
                MakeButton(entry, place);
                break;
        }
    }
}

SettingsPart* Win32SettingsWindow::ContainerOf(settings_window::Container container) {
    switch (container) {
        case settings_window::Container::PicC:
            return backdrop_;
        case settings_window::Container::FirePanel:
            return panels_[0];
        case settings_window::Container::MusicPanel:
            return panels_[1];
        case settings_window::Container::Window:
            break;
    }
    return nullptr;
}

SettingsPart* Win32SettingsWindow::AddPart(SettingsPart::Kind kind, const ControlEntry& entry,
                                           const Placement& place) {
    const ControlId id = entry.id;
    const int index = entry.index;
    PartInput input{[this, id, index] { core_->MouseDown(id, index); },
                    [this, id, index] { core_->Click(id, index); }};
    parts_.push_back(
        std::make_unique<SettingsPart>(kind, place.parent, place.at, input, place.container));
    SettingsPart* part = parts_.back().get();
    part->SetBorder(entry.look.border, ToColorRef(entry.look.borderColour));
    return part;
}

void Win32SettingsWindow::MakeSurface(const ControlEntry& entry, const Placement& place) {
    SettingsPart* surface = AddPart(SettingsPart::Kind::Surface, entry, place);
    const int inset = surface->Inset();
    const int width = entry.rect.right - entry.rect.left - 2 * inset;
    const int height = entry.rect.bottom - entry.rect.top - 2 * inset;
    surface->SetSurface(width, height);
    surface->Canvas()->FillRect({0, 0, width, height},
                                ToColorRef(entry.look.fill.value_or(settings_window::kBlack)));
    if (entry.id == ControlId::PicC) {
        backdrop_ = surface;
    } else {
        panels_.at(static_cast<std::size_t>(entry.index)) = surface;
    }
}

void Win32SettingsWindow::MakeFrame(const ControlEntry& entry, const Placement& place) {
    // Only its one-pixel outline belongs to it, so the title inside shows
    // whatever the order of the two.
    SettingsPart* frame = AddPart(SettingsPart::Kind::Frame, entry, place);
    const int w = place.at.right - place.at.left, h = place.at.bottom - place.at.top;
    HRGN ring = CreateRectRgn(0, 0, w, h);
    HRGN inside = CreateRectRgn(1, 1, w - 1, h - 1);
    CombineRgn(ring, ring, inside, RGN_DIFF);
    DeleteObject(inside);
    SetWindowRgn(frame->Handle(), ring, FALSE);
}

void Win32SettingsWindow::MakePicture(const ControlEntry& entry, const Placement& place) {
    SettingsPart* picture = AddPart(SettingsPart::Kind::Picture, entry, place);
    const auto index = static_cast<std::size_t>(entry.index);
    if (entry.id == ControlId::FireImage) picture->SetPicture(previews_.at(index));
    if (entry.id == ControlId::FireMarker) fireMarkers_.at(index) = picture;
    if (entry.id == ControlId::MusicMarker) musicMarkers_.at(index) = picture;
}

void Win32SettingsWindow::MakeLabel(const ControlEntry& entry, const Placement& place) {
    const settings_window::Look& look = entry.look;
    SettingsPart* label = AddPart(SettingsPart::Kind::Label, entry, place);
    if (look.fill) label->SetFill(ToColorRef(*look.fill));
    const UINT across = look.align == settings_window::TextAlign::Centre ? DT_CENTER : DT_LEFT;
    label->SetTextStyle(labelFont_, ToColorRef(look.text),
                        across | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                        ToRect(settings_window::TextArea(entry)));
    const std::wstring text = WideFromUtf8(entry.text);
    label->SetText(text);
    RECT r{};
    GetClientRect(label->Handle(), &r);
    const int width = settings_window::GrownWidth(entry, TextWidth(text));
    if (width != r.right) {
        SetWindowPos(label->Handle(), nullptr, 0, 0, width, r.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (entry.id == ControlId::FileName) fileName_ = label;
}

void Win32SettingsWindow::MakeCombo(const Placement& place) {
    const RECT& at = place.at;
    combo_ = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, at.left,
        at.top, at.right - at.left, 200, place.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), GetModuleHandleW(nullptr),
        nullptr);
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_), TRUE);
    if (place.container) {
        place.container->onCommand = [this](WPARAM w, LPARAM) { OnComboCommand(w); };
    }
}

void Win32SettingsWindow::MakeButton(const ControlEntry& entry, const Placement& place) {
    auto b = std::make_unique<ZoButtonWindow>(
        place.parent, place.at, ToColorRef(settings_window::ChildShade(entry.container)));
    button::MemoryPropertyBag bag = settings_window::ButtonPropertySet(entry.id);
    b->Control().ReadProperties(bag);
    const ControlId id = entry.id;
    b->onMouseDown = [this, id] { core_->MouseDown(id); };
    b->onClick = [this, id] { core_->Click(id); };
    buttons_.at(static_cast<std::size_t>(settings_window::PushButtonIndex(id))) = std::move(b);
}

int Win32SettingsWindow::TextWidth(const std::wstring& text) const {
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, labelFont_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    return extent.cx;
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
    const settings_window::Rect area =
        settings_window::TextArea(*settings_window::FindControl(ControlId::FileName));
    fileName_->SetText(WideFromUtf8(settings_window::FileCaptionText(
        text, area.right - area.left,
        [this](std::string_view t) { return TextWidth(WideFromUtf8(t)); })));
}

void Win32SettingsWindow::DrawBackdropLine(int y, int width, settings_window::Rgb c) {
    if (y < 0 || y >= settings_window::kClientSize.height) return;
    backdrop_->Canvas()->FillRect({0, y, width + 1, y + 1}, button::Rgb(c.r, c.g, c.b));
    backdrop_->Invalidate();
}

void Win32SettingsWindow::BlitTexture(settings_window::Panel panel, settings_window::Point at) {
    SettingsPart* surface = panels_.at(static_cast<std::size_t>(panel));
    RECT target{at.x, at.y, at.x + texture_.width, at.y + texture_.height};
    StretchImage(surface->Canvas()->Dc(), target, texture_.pixels.data(), texture_.width,
                 texture_.height);
    surface->Invalidate();
}

settings_window::ScreenMetrics Win32SettingsWindow::Screen() {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpiX <= 0 || dpiY <= 0) throw std::runtime_error("no screen");
    return {{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
            1440.0 / dpiX,
            1440.0 / dpiY};
}

void Win32SettingsWindow::SetOuterSize(settings_window::Size) {
    // The system draws the frame: the client area keeps the layout's size
    // whatever this system's frame measures.
    RECT outer{0, 0, settings_window::kClientSize.width, settings_window::kClientSize.height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    // The music path in the ANSI code page, as older settings files hold it.
    settings_window::FileSettingsSink sink(file, std::cerr, AnsiMusicPathCodec());
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
