// The settings window's controls: made from the control table, then placed,
// sized and given their fonts for the window's density, at start-up and on
// every change of it.

#include <string>

#include "platform/win32/dpi.h"
#include "platform/win32/settings_conversions.h"
#include "platform/win32/settings_window.h"
#include "platform/win32/wide_text.h"
#include "settings_window/button_properties.h"

namespace cindral::platform::win32 {

using settings_window::ControlEntry;
using settings_window::ControlId;
using settings_window::ControlKind;

void Win32SettingsWindow::BuildControls() {
    for (const ControlEntry& entry : settings_window::Controls()) {
        // Made at the table's rectangle; ApplyScale places and sizes it.
        Placement place{window_, ToRect(entry.rect),
                        settings_window::HolderOf(entry.container, backdrop_, panels_)};
        if (place.container) place.parent = place.container->Handle();
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
                MakeCombo(entry, place);
                break;
            case ControlKind::PushButton:
                MakeButton(entry, place);
                break;
        }
    }
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
    placed_.push_back({part->Handle(), &entry, place.container, part});
    return part;
}

void Win32SettingsWindow::MakeSurface(const ControlEntry& entry, const Placement& place) {
    // The drawing itself is sized and first filled by ApplyScale.
    SettingsPart* surface = AddPart(SettingsPart::Kind::Surface, entry, place);
    if (entry.id == ControlId::PicC) {
        backdrop_ = surface;
    } else {
        panels_.at(static_cast<std::size_t>(entry.index)) = surface;
    }
}

void Win32SettingsWindow::MakeFrame(const ControlEntry& entry, const Placement& place) {
    // Its outline is cut to its size by ApplyScale.
    AddPart(SettingsPart::Kind::Frame, entry, place);
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
    // Made at its table size: the text area's margins stay as it grows or scales.
    label->SetTextStyle(labelFont_, ToColorRef(look.text),
                        across | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                        ToRect(settings_window::TextArea(entry)));
    label->SetText(WideFromUtf8(entry.text));
    if (entry.id == ControlId::FileName) fileName_ = label;
}

void Win32SettingsWindow::MakeCombo(const ControlEntry& entry, const Placement& place) {
    const RECT& at = place.at;
    combo_ = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, at.left,
        at.top, at.right - at.left, at.bottom - at.top, place.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), GetModuleHandleW(nullptr),
        nullptr);
    placed_.push_back({combo_, &entry, place.container, nullptr});
    if (place.container) {
        place.container->onCommand = [this](WPARAM w, LPARAM) { OnComboCommand(w); };
    }
}

void Win32SettingsWindow::MakeButton(const ControlEntry& entry, const Placement& place) {
    auto b = std::make_unique<ZoButtonWindow>(
        place.parent, place.at, ToColorRef(settings_window::ChildShade(entry.container)));
    b->SetTwipsPerPixelY(Metrics().twipsPerPixelY);
    placed_.push_back({b->Handle(), &entry, place.container, nullptr});
    button::MemoryPropertyBag bag = settings_window::ButtonPropertySet(entry.id);
    b->Control().ReadProperties(bag);
    const ControlId id = entry.id;
    b->onMouseDown = [this, id] { core_->MouseDown(id); };
    b->onClick = [this, id] { core_->Click(id); };
    buttons_.at(static_cast<std::size_t>(settings_window::PushButtonIndex(id))) = std::move(b);
}

RECT Win32SettingsWindow::PlaceOf(const Placed& p) const {
    const ControlEntry& entry = *p.entry;
    const settings_window::ScreenMetrics metrics = Metrics();
    // Inside a panel, positions count from within its border, which stays one
    // pixel wide at any density.
    const int inset = p.container ? p.container->Inset() : 0;
    RECT at = ToRect(settings_window::ScaledRect(entry.rect, metrics));
    OffsetRect(&at, inset, inset);
    if (entry.look.kind == ControlKind::Combo) {
        // A combo box's height is that of its dropped list.
        at.bottom = at.top + settings_window::ScaledPixels(200, metrics.twipsPerPixelY);
    }
    if (entry.look.growth == settings_window::Growth::ToFitText) {
        at.right = at.left + settings_window::GrownWidth(
                                 entry, TextWidth(WideFromUtf8(entry.text), p.window), metrics);
    }
    return at;
}

void Win32SettingsWindow::ApplyScale() {
    const settings_window::ScreenMetrics metrics = Metrics();
    for (const Placed& p : placed_) {
        const RECT at = PlaceOf(p);
        SetWindowPos(p.window, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (p.part) Rescale(*p.part, *p.entry, metrics);
    }
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_), TRUE);
    for (auto& b : buttons_) {
        b->SetTwipsPerPixelY(metrics.twipsPerPixelY);
        b->Control().SetFont(b->Control().GetFont());  // derives the caption's pixels again
    }
    ShowFileCaption();
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32SettingsWindow::Rescale(SettingsPart& part, const ControlEntry& entry,
                                  const settings_window::ScreenMetrics& metrics) {
    RECT r{};
    GetClientRect(part.Handle(), &r);
    switch (entry.look.kind) {
        case ControlKind::Surface: {
            const int width = r.right - 2 * part.Inset(), height = r.bottom - 2 * part.Inset();
            part.SetSurface(width, height);
            part.Canvas()->FillRect({0, 0, width, height},
                                    ToColorRef(entry.look.fill.value_or(settings_window::kBlack)));
            break;
        }
        case ControlKind::Frame: {
            // Only its one-pixel outline belongs to it, so the title inside
            // shows whatever the order of the two.
            HRGN ring = CreateRectRgn(0, 0, r.right, r.bottom);
            HRGN inside = CreateRectRgn(1, 1, r.right - 1, r.bottom - 1);
            CombineRgn(ring, ring, inside, RGN_DIFF);
            DeleteObject(inside);
            SetWindowRgn(part.Handle(), ring, FALSE);
            break;
        }
        case ControlKind::Picture:
            part.SetPictureScale(settings_window::PictureScale(metrics));
            break;
        case ControlKind::Label:
            part.SetFont(labelFont_);
            break;
        case ControlKind::Combo:
        case ControlKind::PushButton:
            break;
    }
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

int Win32SettingsWindow::TextWidth(const std::wstring& text, HWND label) const {
    // In the label's own device context: the window's may measure the
    // substitute face narrower than the label draws it.
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, labelFont_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return extent.cx;
}

}  // namespace cindral::platform::win32
