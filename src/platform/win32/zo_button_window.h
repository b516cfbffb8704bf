#pragma once
// The push-button control as a real window class, "zoButtons_H": a child
// window whose painting, input, focus and hover timer go to the button core,
// drawn through a GDI canvas and shaped with SetWindowRgn. The hover timer
// (id 237, every 50 ms) finds its control through the window's "zo_ClassID"
// and "zo_TimerID" properties.

#include <functional>
#include <memory>

#include "button/zo_button.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

inline constexpr wchar_t kButtonClassName[] = L"zoButtons_H";

class ZoButtonWindow final : private button::ButtonWindow,
                             private button::HoverTimer,
                             private button::ButtonHost,
                             private button::ButtonEvents {
  public:
    // A child of `parent` at `rect` (parent client coordinates), on a
    // container of colour `containerColor`.
    ZoButtonWindow(HWND parent, const RECT& rect, button::Color containerColor);
    ~ZoButtonWindow() override;
    ZoButtonWindow(const ZoButtonWindow&) = delete;
    ZoButtonWindow& operator=(const ZoButtonWindow&) = delete;

    HWND Handle() const { return window_; }
    button::zoButtons_H& Control() { return *control_; }
    // The density the caption's points are converted with (1440 / dots per
    // inch); 0, the default, asks the screen. Takes effect when the font is
    // next set.
    void SetTwipsPerPixelY(double twips) { twipsPerPixelY_ = twips; }
    GdiCanvas* Canvas() { return canvas_.get(); }

    // A press of any mouse button, and a click (press and release over it,
    // or the keyboard's click).
    std::function<void()> onMouseDown;
    std::function<void()> onClick;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);

    // ButtonWindow
    button::Color SystemColorRgb(button::SystemColor name) const override;
    button::Size ClientSize() const override;
    button::Size ScreenSize() const override;
    void SetClientWidth(int width) override;
    bool IsEnabled() const override;
    void SetEnabled(bool enabled) override;
    button::Font GetFont() const override { return font_; }
    void SetFont(const button::Font& font) override { font_ = font; }
    button::Color GetForeColor() const override { return fore_; }
    void SetForeColor(button::Color c) override { fore_ = c; }
    int GetMousePointer() const override { return pointer_; }
    void SetMousePointer(int pointer) override { pointer_ = pointer; }
    button::PicturePtr GetMouseIcon() const override { return icon_; }
    bool SetMouseIcon(const button::PicturePtr& icon, std::string&) override {
        icon_ = icon;
        return true;
    }
    double TwipsPerPixelY() const override;
    void SetRegion(const button::Region& region) override;
    button::Canvas& Surface() override;
    void DropSurface() override { canvas_.reset(); }
    void Present() override;
    void SetAccessKey(const std::string&) override {}
    void CaptureMouse() override { SetCapture(window_); }
    void ReleaseMouse() override { ReleaseCapture(); }
    void TakeFocus() override { SetFocus(window_); }
    void MoveFocus(bool forward) override;
    button::Point CursorClientPos() const override;
    void Wait(int ms) override { Sleep(static_cast<DWORD>(ms)); }

    // HoverTimer
    void Start(int id, int periodMs) override;
    void Stop(int id) override;
    bool CursorOverButton() const override;

    // ButtonHost
    button::Color AmbientBackColor() const override { return container_; }

    // ButtonEvents
    void MouseDown(std::int16_t&, std::int16_t&, float&, float&) override;
    void Click() override;

    HWND window_ = nullptr;
    button::Color container_;
    button::Font font_;
    button::Color fore_ = button::kSysButtonText;
    int pointer_ = 0;
    button::PicturePtr icon_;
    std::unique_ptr<GdiCanvas> canvas_;
    std::unique_ptr<button::zoButtons_H> control_;
    bool leftDown_ = false;
    double twipsPerPixelY_ = 0;
};

// The hover timer's callback: finds the control through the window's
// properties and lets it check the cursor.
void CALLBACK HoverTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

}  // namespace cindral::platform::win32
