#include "platform/win32/zo_button_window.h"

#include <windowsx.h>

#include "platform/win32/system_colors.h"
#include "platform/win32/window_class.h"

namespace cindral::platform::win32 {

namespace {

constexpr wchar_t kClassIdProperty[] = L"zo_ClassID";
constexpr wchar_t kTimerIdProperty[] = L"zo_TimerID";

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

std::int16_t ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return 2;
        default:
            return 4;
    }
}

HRGN MakeRegion(const button::Region& region) {
    HRGN all = CreateRectRgn(0, 0, 0, 0);
    for (const button::Region::Part& part : region.parts) {
        HRGN piece = nullptr;
        switch (part.kind) {
            case button::Region::Kind::Rectangle:
                piece = CreateRectRgn(part.box.left, part.box.top, part.box.right, part.box.bottom);
                break;
            case button::Region::Kind::Ellipse:
                piece =
                    CreateEllipticRgn(part.box.left, part.box.top, part.box.right, part.box.bottom);
                break;
            case button::Region::Kind::Polygon: {
                std::vector<POINT> points;
                for (const button::Point& p : part.points) points.push_back({p.x, p.y});
                piece = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
                break;
            }
        }
        if (!piece) continue;
        CombineRgn(all, all, piece, part.subtract ? RGN_DIFF : RGN_OR);
        DeleteObject(piece);
    }
    return all;
}

}  // namespace

void CALLBACK HoverTimerProc(HWND window, UINT, UINT_PTR, DWORD) {
    auto* control = static_cast<button::zoButtons_H*>(GetPropW(window, kClassIdProperty));
    const auto id = reinterpret_cast<std::intptr_t>(GetPropW(window, kTimerIdProperty));
    if (control) control->HoverCheck(static_cast<int>(id));
}

ZoButtonWindow::ZoButtonWindow(HWND parent, const RECT& rect, button::Color containerColor)
    : container_(containerColor) {
    RegisterWindowClass({kButtonClassName, DefWindowProcW, CS_DBLCLKS});
    window_ = CreateWindowExW(0, kButtonClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    button::ButtonWindow& window = *this;
    button::HoverTimer& timer = *this;
    button::ButtonHost& host = *this;
    button::ButtonEvents& events = *this;
    control_ = std::make_unique<button::zoButtons_H>(window, timer, host, events);
    control_->OnShow();
    control_->OnResize();
}

ZoButtonWindow::~ZoButtonWindow() {
    if (!window_) return;
    KillTimer(window_, button::kHoverTimerId);
    RemovePropW(window_, kClassIdProperty);
    RemovePropW(window_, kTimerIdProperty);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK ZoButtonWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<ZoButtonWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->control_) return DefWindowProcW(window, message, w, l);
    return self->Handle(message, w, l);
}

LRESULT ZoButtonWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    const float x = static_cast<float>(GET_X_LPARAM(l));
    const float y = static_cast<float>(GET_Y_LPARAM(l));
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window_, &paint);
            EndPaint(window_, &paint);
            control_->OnPaint();
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            control_->OnResize();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) leftDown_ = true;
            control_->OnMouseDown(ButtonOf(message), ShiftState(), x, y);
            if (message == WM_LBUTTONDBLCLK) control_->OnDoubleClick();
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            control_->OnMouseUp(ButtonOf(message), ShiftState(), x, y);
            RECT client;
            GetClientRect(window_, &client);
            const POINT p{static_cast<LONG>(x), static_cast<LONG>(y)};
            const bool click = message == WM_LBUTTONUP && leftDown_ && PtInRect(&client, p);
            if (message == WM_LBUTTONUP) leftDown_ = false;
            if (click) control_->OnClick();
            return 0;
        }
        case WM_MOUSEMOVE:
            control_->OnMouseMove((w & MK_LBUTTON) ? 1 : 0, ShiftState(), x, y);
            return 0;
        case WM_KEYDOWN:
            control_->OnKeyDown(static_cast<std::int16_t>(w), ShiftState());
            return 0;
        case WM_CHAR:
            control_->OnKeyPress(static_cast<std::int16_t>(w));
            return 0;
        case WM_KEYUP:
            control_->OnKeyUp(static_cast<std::int16_t>(w), ShiftState());
            return 0;
        case WM_SETFOCUS:
            control_->OnGotFocus();
            return 0;
        case WM_KILLFOCUS:
            control_->OnLostFocus();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

button::Color ZoButtonWindow::SystemColorRgb(button::SystemColor name) const {
    return static_cast<button::Color>(::GetSysColor(SystemColorIndex(name)));
}

button::Size ZoButtonWindow::ClientSize() const {
    RECT r{};
    GetClientRect(window_, &r);
    return {r.right, r.bottom};
}

button::Size ZoButtonWindow::ScreenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void ZoButtonWindow::SetClientWidth(int width) {
    const button::Size size = ClientSize();
    SetWindowPos(window_, nullptr, 0, 0, width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ZoButtonWindow::IsEnabled() const { return IsWindowEnabled(window_) != FALSE; }

void ZoButtonWindow::SetEnabled(bool enabled) { EnableWindow(window_, enabled ? TRUE : FALSE); }

double ZoButtonWindow::TwipsPerPixelY() const {
    if (twipsPerPixelY_ > 0) return twipsPerPixelY_;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void ZoButtonWindow::SetRegion(const button::Region& region) {
    // The system owns the region once it is set.
    SetWindowRgn(window_, region.parts.empty() ? nullptr : MakeRegion(region), TRUE);
}

button::Canvas& ZoButtonWindow::Surface() {
    if (!canvas_) canvas_ = std::make_unique<GdiCanvas>(ClientSize());
    return *canvas_;
}

void ZoButtonWindow::Present() {
    if (!canvas_) return;
    HDC dc = GetDC(window_);
    const button::Size size = canvas_->GetSize();
    BitBlt(dc, 0, 0, size.width, size.height, canvas_->Dc(), 0, 0, SRCCOPY);
    ReleaseDC(window_, dc);
}

void ZoButtonWindow::MoveFocus(bool forward) {
    HWND next = GetNextDlgTabItem(GetParent(window_), window_, forward ? FALSE : TRUE);
    if (next) SetFocus(next);
}

button::Point ZoButtonWindow::CursorClientPos() const {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window_, &p);
    return {p.x, p.y};
}

void ZoButtonWindow::Start(int id, int periodMs) {
    SetPropW(window_, kClassIdProperty, control_.get());
    SetPropW(window_, kTimerIdProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(id)));
    SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(periodMs), HoverTimerProc);
}

void ZoButtonWindow::Stop(int id) { KillTimer(window_, static_cast<UINT_PTR>(id)); }

bool ZoButtonWindow::CursorOverButton() const {
    POINT p{};
    return GetCursorPos(&p) && WindowFromPoint(p) == window_;
}

void ZoButtonWindow::MouseDown(std::int16_t&, std::int16_t&, float&, float&) {
    if (onMouseDown) onMouseDown();
}

void ZoButtonWindow::Click() {
    if (onClick) onClick();
}

}  // namespace cindral::platform::win32
