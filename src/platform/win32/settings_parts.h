#pragma once
// The plain controls of the settings window as one small window class: kept
// surfaces (the backdrop and the two panels), pictures (markers, previews),
// labels and title frames. Each paints what it holds and reports presses and
// clicks; it decides nothing.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/win32.h"
#include "settings_window/layout.h"
#include "settings_window/pictures.h"

namespace cindral::platform::win32 {

struct PartInput {
    std::function<void()> pressed;  // any mouse button
    std::function<void()> clicked;  // the left button pressed and released over it
};

class SettingsPart {
  public:
    enum class Kind { Surface, Picture, Label, Frame };

    // `container`: the kept surface under this part, whose drawing shows
    // through a label's background (null: the window's own colour).
    SettingsPart(Kind kind, HWND parent, const RECT& rect, PartInput input,
                 SettingsPart* container = nullptr);
    ~SettingsPart();
    SettingsPart(const SettingsPart&) = delete;
    SettingsPart& operator=(const SettingsPart&) = delete;

    HWND Handle() const { return window_; }
    // Surfaces: the kept drawing (inside the border when there is one).
    GdiCanvas* Canvas() { return canvas_.get(); }
    int Inset() const { return border_ == settings_window::Border::Line ? 1 : 0; }

    // A surface's line, a picture's or a label's sunken edge, a frame's outline.
    void SetBorder(settings_window::Border border, COLORREF color) {
        border_ = border;
        borderColor_ = color;
    }
    // A label's background; none: the container's drawing shows through.
    void SetFill(std::optional<COLORREF> fill) { fill_ = fill; }
    void SetSurface(int width, int height);
    void SetPicture(const settings_window::Image& picture);
    // Pictures grow by this whole factor, centred in the part.
    void SetPictureScale(int scale) { pictureScale_ = scale; }
    void SetText(const std::wstring& text);
    // `textArea`: where the text goes, in the part's own coordinates.
    void SetTextStyle(HFONT font, COLORREF color, UINT format, const RECT& textArea);
    // A label's font, as the window's density changes.
    void SetFont(HFONT font) {
        font_ = font;
        Invalidate();
    }
    // Forwards WM_COMMAND of child controls (the combo box) to this function.
    std::function<void(WPARAM, LPARAM)> onCommand;
    void Invalidate() { InvalidateRect(window_, nullptr, FALSE); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void Paint(HDC dc);
    void PaintContainerUnder(HDC dc, const RECT& client);

    Kind kind_;
    HWND window_ = nullptr;
    PartInput input_;
    SettingsPart* container_;
    settings_window::Border border_ = settings_window::Border::None;
    COLORREF borderColor_ = 0;
    std::optional<COLORREF> fill_;
    std::unique_ptr<GdiCanvas> canvas_;
    settings_window::Image picture_;
    std::wstring text_;
    HFONT font_ = nullptr;
    COLORREF textColor_ = 0;
    UINT format_ = DT_LEFT | DT_TOP | DT_NOPREFIX;
    RECT margins_{};  // of the text area from each edge
    int pictureScale_ = 1;
    bool leftDown_ = false;
};

}  // namespace cindral::platform::win32
