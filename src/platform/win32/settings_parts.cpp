#include "platform/win32/settings_parts.h"

#include "platform/win32/gdi_display.h"
#include "platform/win32/window_class.h"
#include "settings_window/geometry.h"

namespace cindral::platform::win32 {

namespace {

constexpr wchar_t kPartClass[] = L"CindralSettingsPart";

}  // namespace

SettingsPart::SettingsPart(Kind kind, HWND parent, const RECT& rect, PartInput input,
                           SettingsPart* container)
    : kind_(kind), input_(std::move(input)), container_(container) {
    RegisterWindowClass({kPartClass});
    window_ = CreateWindowExW(0, kPartClass, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
}

SettingsPart::~SettingsPart() {
    if (window_ && IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void SettingsPart::SetSurface(int width, int height) {
    canvas_ = std::make_unique<GdiCanvas>(button::Size{width, height});
}

void SettingsPart::SetPicture(const settings_window::Image& picture) {
    picture_ = picture;
    Invalidate();
}

void SettingsPart::SetText(const std::wstring& text) {
    text_ = text;
    Invalidate();
}

void SettingsPart::SetTextStyle(HFONT font, COLORREF color, UINT format, const RECT& textArea) {
    font_ = font;
    textColor_ = color;
    format_ = format;
    RECT client{};
    GetClientRect(window_, &client);
    // Kept as margins: a label that grows keeps them.
    margins_ = {textArea.left, textArea.top, client.right - textArea.right,
                client.bottom - textArea.bottom};
}

namespace {

void Outline(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

LRESULT CALLBACK SettingsPart::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<SettingsPart*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    return self->Handle(message, w, l);
}

LRESULT SettingsPart::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            // A title frame lets the mouse through to what lies under it.
            if (kind_ == Kind::Frame) return HTTRANSPARENT;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) {
                leftDown_ = true;
                SetCapture(window_);
            }
            if (input_.pressed) input_.pressed();
            return 0;
        case WM_LBUTTONUP: {
            const bool wasDown = leftDown_;
            leftDown_ = false;
            ReleaseCapture();
            RECT client;
            GetClientRect(window_, &client);
            POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
            if (wasDown && PtInRect(&client, p) && input_.clicked) input_.clicked();
            return 0;
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_COMMAND:
            if (onCommand) {
                onCommand(w, l);
                return 0;
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void SettingsPart::PaintContainerUnder(HDC dc, const RECT& client) {
    if (!container_ || !container_->Canvas()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    POINT origin{0, 0};
    MapWindowPoints(window_, container_->Handle(), &origin, 1);
    BitBlt(dc, 0, 0, client.right, client.bottom, container_->Canvas()->Dc(),
           origin.x - container_->Inset(), origin.y - container_->Inset(), SRCCOPY);
}

void SettingsPart::Paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    const bool sunken = border_ == settings_window::Border::Sunken;
    switch (kind_) {
        case Kind::Surface: {
            if (border_ == settings_window::Border::Line) Outline(dc, client, borderColor_);
            if (canvas_) {
                const button::Size size = canvas_->GetSize();
                BitBlt(dc, Inset(), Inset(), size.width, size.height, canvas_->Dc(), 0, 0, SRCCOPY);
            }
            break;
        }
        case Kind::Picture: {
            const int inset = sunken ? 2 : 0;
            if (sunken) {
                DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
            } else {
                // A marker grown by less than a whole pixel leaves a margin:
                // the panel shows there.
                PaintContainerUnder(dc, client);
            }
            if (!picture_.pixels.empty()) {
                const settings_window::Rect r = settings_window::PictureRect(
                    {inset, inset, client.right - inset, client.bottom - inset},
                    {picture_.width, picture_.height}, pictureScale_);
                RECT at{r.left, r.top, r.right, r.bottom};
                StretchImage(dc, at, picture_.pixels.data(), picture_.width, picture_.height);
            }
            break;
        }
        case Kind::Label: {
            if (fill_) {
                HBRUSH brush = CreateSolidBrush(*fill_);
                FillRect(dc, &client, brush);
                DeleteObject(brush);
            } else {
                PaintContainerUnder(dc, client);
            }
            if (sunken) DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
            HGDIOBJ old = font_ ? SelectObject(dc, font_) : nullptr;
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, textColor_);
            RECT text{client.left + margins_.left, client.top + margins_.top,
                      client.right - margins_.right, client.bottom - margins_.bottom};
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text, format_);
            if (old) SelectObject(dc, old);
            break;
        }
        case Kind::Frame: {
            PaintContainerUnder(dc, client);
            Outline(dc, client, borderColor_);
            break;
        }
    }
}

}  // namespace cindral::platform::win32
