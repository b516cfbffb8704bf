#pragma once
// The button's ports: the surface it paints into, its window, the hover timer,
// the container and the owner's events.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "button/region.h"
#include "button/types.h"

namespace cindral::button {

// The caption font as the painter asks for it: a negative height is the
// character height in pixels.
struct FontDescription {
    std::string face;
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// A one-bit stencil: `on` pixels get painted by Canvas::FillMask.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<bool> on;
};

enum class PenStyle { Solid, Dot };
enum class TextAlign { Left, Center, Right };

// The off-screen surface the button paints into, made at the client size by
// ButtonWindow::Surface. Colours are RGB (red in the low byte). Drawing is not
// anti-aliased, so every colour lands on the pixels as given; the painter's
// tests read pixels back. Lines follow the window system's convention: a
// polyline does not draw its final point; a dotted pen sets every other
// pixel, starting with the first. A clip set by SetClipEllipse holds for all
// later drawing, text and focus rectangles included, until ClearClip.
class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual Size GetSize() const = 0;
    // Fills r (right/bottom exclusive) with a brush and pen of one colour.
    virtual void FillRect(const Rect& r, Color rgb) = 0;
    virtual void Polyline(const std::vector<Point>& pts, Color rgb, int width, PenStyle style) = 0;
    // Outline of the ellipse inside r (the pen stays within r), no fill.
    virtual void Ellipse(const Rect& r, Color rgb, int penWidth) = 0;
    virtual void SetClipEllipse(const Rect& r) = 0;
    virtual void ClearClip() = 0;
    virtual void SetFont(const FontDescription& font) = 0;
    // Text may hold "\r\n" line breaks and "&" access-key marks ("&&" shows
    // one "&"); it wraps at word boundaries within maxWidth.
    virtual Size MeasureText(const std::string& text, int maxWidth) = 0;
    virtual void DrawText(const Rect& r, const std::string& text, Color rgb, TextAlign align) = 0;
    // Dotted rectangle outline that inverts every other pixel.
    virtual void DrawFocusRect(const Rect& r) = 0;
    // Draws pic unscaled at `at`; bitmaps leave their top-left pixel's colour
    // out, icons blend by their alpha.
    virtual void DrawPicture(Point at, const Picture& pic) = 0;
    virtual void FillMask(Point at, const Mask& mask, Color rgb) = 0;
};

// The system colour table behind TranslateColor: the platform's RGB for each
// named system colour.
class SystemColors {
  public:
    virtual ~SystemColors() = default;
    virtual Color SystemColorRgb(SystemColor name) const = 0;
};

// The child window the button lives in: its own state, its surface and the
// window-system calls the control makes.
class ButtonWindow : public SystemColors {
  public:
    virtual Size ClientSize() const = 0;
    virtual Size ScreenSize() const = 0;
    // The control widens itself (diagonal shapes); resize handling follows.
    virtual void SetClientWidth(int width) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual Font GetFont() const = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual Color GetForeColor() const = 0;
    virtual void SetForeColor(Color c) = 0;
    virtual int GetMousePointer() const = 0;
    virtual void SetMousePointer(int pointer) = 0;
    virtual PicturePtr GetMouseIcon() const = 0;
    // False (with a description) when the window refuses the picture.
    virtual bool SetMouseIcon(const PicturePtr& icon, std::string& error) = 0;
    virtual double TwipsPerPixelY() const = 0;
    virtual void SetRegion(const Region& region) = 0;
    // The off-screen surface at the client size, made when missing.
    virtual Canvas& Surface() = 0;
    // Drops the surface's bitmap so the next Surface() matches a new size.
    virtual void DropSurface() = 0;
    // One block copy of the surface to the window.
    virtual void Present() = 0;
    virtual void SetAccessKey(const std::string& key) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void TakeFocus() = 0;
    // Tab (forward) or Shift+Tab into the container.
    virtual void MoveFocus(bool forward) = 0;
    virtual Point CursorClientPos() const = 0;
    // Blocks for ms milliseconds (the access key's pressed look).
    virtual void Wait(int ms) = 0;
};

// The hover timer and the query it makes on each tick.
class HoverTimer {
  public:
    virtual ~HoverTimer() = default;
    virtual void Start(int id, int periodMs) = 0;
    virtual void Stop(int id) = 0;
    // Whether the window under the cursor is the button's own window.
    virtual bool CursorOverButton() const = 0;
};

// What the container supplies.
class ButtonHost {
  public:
    virtual ~ButtonHost() = default;
    virtual bool DesignMode() const { return false; }
    virtual bool DisplayAsDefault() const { return false; }
    virtual Color AmbientBackColor() const { return kSysButtonFace; }
    virtual Font AmbientFont() const { return Font{}; }
    virtual std::string DisplayName() const { return "zoButtons_H1"; }
    virtual void PropertyChanged(std::string_view /*key*/) {}
    virtual void ShowInformation(const std::string& /*text*/, const std::string& /*title*/) {}
};

// What a drag carries, as far as the owner needs to look at it.
struct DragData {
    std::vector<std::string> formats;  // MIME types offered
    std::string text;
    std::vector<std::string> files;
};

// Drop effects of the drag-and-drop events (bits).
constexpr std::int32_t kDropEffectNone = 0;
constexpr std::int32_t kDropEffectCopy = 1;
constexpr std::int32_t kDropEffectMove = 2;
// State of OLEDragOver.
constexpr std::int16_t kDragEnter = 0;
constexpr std::int16_t kDragLeave = 1;
constexpr std::int16_t kDragOver = 2;

// Events raised to the owner; arguments are by reference so it may change them.
class ButtonEvents {
  public:
    virtual ~ButtonEvents() = default;
    virtual void MouseDown(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/,
                           float& /*y*/) {}
    virtual void MouseUp(std::int16_t&, std::int16_t&, float&, float&) {}
    virtual void MouseMove(std::int16_t&, std::int16_t&, float&, float&) {}
    virtual void KeyDown(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
    virtual void KeyPress(std::int16_t& /*keyAscii*/) {}
    virtual void KeyUp(std::int16_t&, std::int16_t&) {}
    virtual void MouseOnButton(bool& /*onButton*/) {}
    virtual void Click() {}
    virtual void DoubleClick(std::int16_t& /*button*/) {}
    // Drag and drop, forwarded from the window unchanged.
    virtual void OLECompleteDrag(std::int32_t& /*effect*/) {}
    virtual void OLEDragDrop(DragData& /*data*/, std::int32_t& /*effect*/, std::int16_t& /*button*/,
                             std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
    virtual void OLEDragOver(DragData& /*data*/, std::int32_t& /*effect*/, std::int16_t& /*button*/,
                             std::int16_t& /*shift*/, float& /*x*/, float& /*y*/,
                             std::int16_t& /*state*/) {}
    virtual void OLEGiveFeedback(std::int32_t& /*effect*/, bool& /*defaultCursors*/) {}
    virtual void OLESetData(DragData& /*data*/, std::int16_t& /*dataFormat*/) {}
    virtual void OLEStartDrag(DragData& /*data*/, std::int32_t& /*allowedEffects*/) {}
};

}  // namespace cindral::button
