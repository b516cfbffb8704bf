#include "platform/win32/settings_window.h"

#include <cstdio>
#include <stdexcept>

#include "config/settings_store.h"
#include "platform/win32/dpi.h"
#include "platform/win32/gdi_display.h"
#include "platform/win32/settings_location.h"
#include "platform/win32/wide_text.h"
#include "settings_window/button_properties.h"
#include "settings_window/pictures.h"

namespace cindral::platform::win32 {

namespace {

using settings_window::ControlId;
using settings_window::ControlSpec;

constexpr wchar_t kWindowClass[] = L"CindralSettingsWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kComboId = 100;

RECT ToRect(const settings_window::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

SIZE ToSize(settings_window::Size s) { return {s.width, s.height}; }

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
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);

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
    for (const ControlSpec& entry : settings_window::Controls()) {
        SettingsPart* container = nullptr;
        HWND parent = window_;
        switch (entry.container) {
            case settings_window::Container::PicC:
                container = backdrop_;
                break;
            case settings_window::Container::FirePanel:
                container = panels_[0];
                break;
            case settings_window::Container::MusicPanel:
                container = panels_[1];
                break;
            case settings_window::Container::Window:
                break;
        }
        if (container) parent = container->Handle();
        const RECT at = PlaceOf(entry, container);
        const ControlId id = entry.id;
        const int index = entry.index;
        PartInput input{[this, id, index] { core_->MouseDown(id, index); },
                        [this, id, index] { core_->Click(id, index); }};
        const std::wstring text = WideFromUtf8(entry.text);
        auto part = [&](SettingsPart::Kind kind) {
            parts_.push_back(std::make_unique<SettingsPart>(kind, parent, at, input, container));
            placed_.push_back({parts_.back()->Handle(), &entry, container});
            return parts_.back().get();
        };
        switch (entry.id) {
            case ControlId::PicC:
                backdrop_ = part(SettingsPart::Kind::Surface);
                break;
            case ControlId::Panel: {
                SettingsPart* panel = part(SettingsPart::Kind::Surface);
                panel->SetBorder(true);
                panels_[static_cast<std::size_t>(entry.index)] = panel;
                break;
            }
            case ControlId::TitleFrame:
                titleFrames_.push_back(part(SettingsPart::Kind::Frame));
                break;
            case ControlId::FireMarker:
                fireMarkers_[static_cast<std::size_t>(index)] = part(SettingsPart::Kind::Picture);
                pictures_.push_back(fireMarkers_[static_cast<std::size_t>(index)]);
                break;
            case ControlId::MusicMarker:
                musicMarkers_[static_cast<std::size_t>(index)] = part(SettingsPart::Kind::Picture);
                pictures_.push_back(musicMarkers_[static_cast<std::size_t>(index)]);
                break;
            case ControlId::FireImage: {
                SettingsPart* preview = part(SettingsPart::Kind::Picture);
                preview->SetBorder(true);
                preview->SetPicture(previews_[static_cast<std::size_t>(index)]);
                pictures_.push_back(preview);
                break;
            }
            case ControlId::RepeatCombo:
                combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                             CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                         at.left, at.top, at.right - at.left, 200, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)),
                                         GetModuleHandleW(nullptr), nullptr);
                placed_.push_back({combo_, &entry, container});
                if (container) {
                    container->onCommand = [this](WPARAM w, LPARAM) { OnComboCommand(w); };
                }
                break;
            case ControlId::FileName:
                fileName_ = part(SettingsPart::Kind::Label);
                fileName_->SetBorder(true);
                fileName_->SetTextStyle(
                    labelFont_, GetSysColor(COLOR_WINDOWTEXT),
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
                fileName_->SetText(text);
                labels_.push_back(fileName_);
                break;
            case ControlId::SaveButton:
            case ControlId::CancelButton:
            case ControlId::FileButton: {
                const settings_window::Rgb shade = settings_window::BackdropShadeBehind(
                    entry.rect, settings_window::kClientSize.height);
                auto b = std::make_unique<ZoButtonWindow>(parent, at,
                                                          button::Rgb(shade.r, shade.g, shade.b));
                b->SetTwipsPerPixelY(Metrics().twipsPerPixelY);
                placed_.push_back({b->Handle(), &entry, container});
                button::MemoryPropertyBag bag = settings_window::ButtonPropertySet(entry.id);
                b->Control().ReadProperties(bag);
                b->onMouseDown = [this, id] { core_->MouseDown(id); };
                b->onClick = [this, id] { core_->Click(id); };
                buttons_[static_cast<std::size_t>(settings_window::PushButtonIndex(entry.id))] =
                    std::move(b);
                break;
            }
            case ControlId::Title:
            case ControlId::RandomLabel:
            case ControlId::MusicLabel:
            case ControlId::RepeatLabel:
            case ControlId::Credit: {
                SettingsPart* label = part(SettingsPart::Kind::Label);
                UINT format = DT_NOPREFIX | DT_SINGLELINE;
                format |= entry.id == ControlId::Title ? (DT_CENTER | DT_VCENTER) : DT_LEFT;
                label->SetTextStyle(
                    labelFont_, entry.id == ControlId::Credit ? RGB(255, 255, 255) : RGB(0, 0, 0),
                    format);
                label->SetText(text);
                labels_.push_back(label);
                if (entry.id != ControlId::Title) grown_.push_back({label->Handle(), text});
                break;
            }
        }
    }
    ApplyScale();
}

HWND Win32SettingsWindow::ControlWindow(ControlId id, int index) const {
    for (const Placed& p : placed_) {
        if (p.entry->id == id && p.entry->index == index) return p.window;
    }
    return nullptr;
}

settings_window::ScreenMetrics Win32SettingsWindow::Metrics() const {
    const double twips = 1440.0 / (dpi_ > 0 ? dpi_ : kDefaultDpi);
    return {{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, twips, twips};
}

settings_window::Size Win32SettingsWindow::ClientSize() const {
    return settings_window::ScaledSize(settings_window::kClientSize, Metrics());
}

RECT Win32SettingsWindow::PlaceOf(const ControlSpec& entry, const SettingsPart* container) const {
    // Inside a panel, positions count from within its border, which stays one
    // pixel wide at any density.
    const int inset = container ? container->Inset() : 0;
    RECT at = ToRect(settings_window::ScaledRect(entry.rect, Metrics()));
    OffsetRect(&at, inset, inset);
    return at;
}

void Win32SettingsWindow::ApplyScale() {
    const settings_window::ScreenMetrics metrics = Metrics();
    for (const Placed& p : placed_) {
        const RECT at = PlaceOf(*p.entry, p.container);
        // A combo box's height is that of its dropped list.
        const int height = p.window == combo_
                               ? settings_window::ScaledPixels(200, metrics.twipsPerPixelY)
                               : at.bottom - at.top;
        SetWindowPos(p.window, nullptr, at.left, at.top, at.right - at.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const settings_window::Size client = ClientSize();
    backdrop_->SetSurface(client.width, client.height);
    backdrop_->Canvas()->FillRect({0, 0, client.width, client.height}, 0);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const settings_window::Size area =
            settings_window::PanelDrawingArea(static_cast<settings_window::Panel>(i), metrics);
        panels_[i]->SetSurface(area.width, area.height);
        panels_[i]->Canvas()->FillRect({0, 0, area.width, area.height}, button::Rgb(128, 128, 128));
    }
    for (SettingsPart* frame : titleFrames_) {
        // Only its one-pixel outline belongs to it, so the title inside shows
        // whatever the order of the two.
        RECT r{};
        GetClientRect(frame->Handle(), &r);
        HRGN ring = CreateRectRgn(0, 0, r.right, r.bottom);
        HRGN inside = CreateRectRgn(1, 1, r.right - 1, r.bottom - 1);
        CombineRgn(ring, ring, inside, RGN_DIFF);
        DeleteObject(inside);
        SetWindowRgn(frame->Handle(), ring, FALSE);
    }
    const int pictureScale = settings_window::PictureScale(metrics);
    for (SettingsPart* picture : pictures_) picture->SetPictureScale(pictureScale);
    for (SettingsPart* label : labels_) label->SetFont(labelFont_);
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_), TRUE);
    for (auto& b : buttons_) {
        b->SetTwipsPerPixelY(metrics.twipsPerPixelY);
        b->Control().SetFont(b->Control().GetFont());  // derives the caption's pixels again
    }
    for (const auto& [label, text] : grown_) GrowToText(label, text);
    InvalidateRect(window_, nullptr, TRUE);
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

void Win32SettingsWindow::GrowToText(HWND label, const std::wstring& text) {
    // The substitute face may run a few pixels wider than the named one: a
    // borderless label grows to the right rather than cut its text.
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, labelFont_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT r{};
    GetClientRect(label, &r);
    if (extent.cx + 1 > r.right) {
        SetWindowPos(label, nullptr, 0, 0, extent.cx + 1, r.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
    fileName_->SetText(WideFromUtf8(text));
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
