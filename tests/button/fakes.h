#pragma once
// Fake ports for the button's tests: a pixel canvas, a window, a timer, a host, an event log.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "button/region.h"
#include "button/zo_button.h"

namespace cindral::button::test {

// A pixel canvas in plain C++; text is recorded, not rasterised.
class RasterCanvas : public Canvas {
  public:
    struct TextCall {
        Rect rect;
        std::string text;
        Color color;
        TextAlign align;
    };

    explicit RasterCanvas(Size size) : size_(size), px_(size.width * size.height, 0x123456) {}

    Color At(int x, int y) const { return px_[static_cast<size_t>(y) * size_.width + x]; }
    std::vector<TextCall> texts;
    int charWidth = 7;
    int lineHeight = 13;

    Size GetSize() const override { return size_; }
    void FillRect(const Rect& r, Color rgb) override {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) Put(x, y, rgb);
    }
    void Polyline(const std::vector<Point>& pts, Color rgb, int, PenStyle style) override {
        int n = 0;
        for (const Point& p : PolylinePixels(pts)) {
            if (style == PenStyle::Solid || n % 2 == 0) Put(p.x, p.y, rgb);
            ++n;
        }
    }
    void Ellipse(const Rect& r, Color rgb, int penWidth) override {
        Region outer, inner;
        outer.AddEllipse(r);
        inner.AddEllipse(r.Inset(penWidth));
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (outer.Contains(x, y) && !inner.Contains(x, y)) Put(x, y, rgb);
    }
    void SetClipEllipse(const Rect& r) override {
        clip_ = Region{};
        clip_.AddEllipse(r);
        clipped_ = true;
    }
    void ClearClip() override { clipped_ = false; }
    void SetFont(const FontDescription& f) override { font = f; }
    Size MeasureText(const std::string& text, int) override {
        int lines = 1, longest = 0, cur = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') continue;
            if (text[i] == '\n') {
                ++lines;
                cur = 0;
                continue;
            }
            if (text[i] == '&' && (i + 1 >= text.size() || text[i + 1] != '&')) continue;
            if (text[i] == '&') ++i;
            longest = std::max(longest, ++cur);
        }
        return {longest * charWidth, lines * lineHeight};
    }
    void DrawText(const Rect& r, const std::string& text, Color rgb, TextAlign align) override {
        texts.push_back({r, text, rgb, align});
    }
    void DrawFocusRect(const Rect& r) override {
        for (int x = r.left; x < r.right; ++x) {
            Invert(x, r.top);
            Invert(x, r.bottom - 1);
        }
        for (int y = r.top + 1; y < r.bottom - 1; ++y) {
            Invert(r.left, y);
            Invert(r.right - 1, y);
        }
    }
    void DrawPicture(Point at, const Picture& pic) override {
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x) {
                const std::uint32_t p = pic.pixels[y * pic.width + x];
                if (!pic.isIcon && (p & 0xFFFFFF) == (pic.pixels[0] & 0xFFFFFF)) continue;
                Put(at.x + x, at.y + y, Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
            }
    }
    void FillMask(Point at, const Mask& m, Color rgb) override {
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x)
                if (m.on[y * m.width + x]) Put(at.x + x, at.y + y, rgb);
    }

    FontDescription font;

  private:
    void Put(int x, int y, Color c) {
        if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return;
        if (clipped_ && !clip_.Contains(x, y)) return;
        px_[static_cast<size_t>(y) * size_.width + x] = c;
    }
    void Invert(int x, int y) {
        if ((x + y) % 2 != 0 || x < 0 || y < 0 || x >= size_.width || y >= size_.height) return;
        if (clipped_ && !clip_.Contains(x, y)) return;
        px_[static_cast<size_t>(y) * size_.width + x] ^= 0xFFFFFF;
    }
    Size size_;
    std::vector<Color> px_;
    Region clip_;
    bool clipped_ = false;
};

class FakeWindow : public ButtonWindow {
  public:
    Size size{89, 33};
    Size screen{1024, 768};
    bool enabled = true;
    Font font;
    Color fore = kSysButtonText;
    int pointer = 0;
    PicturePtr icon;
    bool refuseIcon = false;
    Region region;
    std::vector<int> widthRequests;
    std::unique_ptr<RasterCanvas> canvas;
    int presents = 0;
    std::string accessKey = "<unset>";
    bool captured = false;
    bool focused = false;
    std::vector<bool> focusMoves;  // true: forward
    Point cursor{10, 10};
    int* clockMs = nullptr;
    std::vector<std::int16_t> statesAtWait;
    const zoButtons_H* button = nullptr;

    Color SystemColorRgb(SystemColor name) const override {
        if (name == SystemColor::ButtonFace) return Rgb(212, 208, 200);
        if (name == SystemColor::ButtonText) return Rgb(0, 0, 0);
        return Rgb(1, 2, 3);
    }
    Size ClientSize() const override { return size; }
    Size ScreenSize() const override { return screen; }
    void SetClientWidth(int w) override {
        widthRequests.push_back(w);
        size.width = w;
    }
    bool IsEnabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    Font GetFont() const override { return font; }
    void SetFont(const Font& f) override { font = f; }
    Color GetForeColor() const override { return fore; }
    void SetForeColor(Color c) override { fore = c; }
    int GetMousePointer() const override { return pointer; }
    void SetMousePointer(int p) override { pointer = p; }
    PicturePtr GetMouseIcon() const override { return icon; }
    bool SetMouseIcon(const PicturePtr& p, std::string& error) override {
        if (refuseIcon) {
            error = "Invalid picture";
            return false;
        }
        icon = p;
        return true;
    }
    double TwipsPerPixelY() const override { return 15.0; }
    void SetRegion(const Region& r) override { region = r; }
    Canvas& Surface() override {
        if (!canvas) canvas = std::make_unique<RasterCanvas>(size);
        return *canvas;
    }
    void DropSurface() override { canvas.reset(); }
    void Present() override { ++presents; }
    void SetAccessKey(const std::string& key) override { accessKey = key; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    void TakeFocus() override { focused = true; }
    void MoveFocus(bool forward) override { focusMoves.push_back(forward); }
    Point CursorClientPos() const override { return cursor; }
    void Wait(int ms) override {
        if (button) statesAtWait.push_back(button->ButtonState());
        if (clockMs) *clockMs += ms;
    }

    RasterCanvas& Pixels() { return *canvas; }
};

// A timer driven by a fake clock: Advance() fires every due tick.
class FakeTimer : public HoverTimer {
  public:
    int nowMs = 0;
    bool cursorOver = true;
    std::map<int, std::pair<int, int>> running;  // id -> (period, next due)
    zoButtons_H* button = nullptr;

    void Start(int id, int period) override { running[id] = {period, nowMs + period}; }
    void Stop(int id) override { running.erase(id); }
    bool CursorOverButton() const override { return cursorOver; }
    void Advance(int ms) {
        const int end = nowMs + ms;
        while (true) {
            int nextId = -1, due = end + 1;
            for (auto& [id, t] : running)
                if (t.second < due) {
                    due = t.second;
                    nextId = id;
                }
            if (nextId < 0) break;
            nowMs = due;
            running[nextId].second += running[nextId].first;
            if (button) button->HoverCheck(nextId);
        }
        nowMs = end;
    }
};

class FakeHost : public ButtonHost {
  public:
    bool design = false;
    bool isDefault = false;
    Color ambientBack = kSysButtonFace;
    std::string name = "zoButtons_H7";
    std::vector<std::string> changed;
    std::vector<std::pair<std::string, std::string>> messages;

    bool DesignMode() const override { return design; }
    bool DisplayAsDefault() const override { return isDefault; }
    Color AmbientBackColor() const override { return ambientBack; }
    std::string DisplayName() const override { return name; }
    void PropertyChanged(std::string_view key) override { changed.emplace_back(key); }
    void ShowInformation(const std::string& text, const std::string& title) override {
        messages.emplace_back(text, title);
    }
};

// Records every event as one line, e.g. "MouseDown 1 0 3 4".
class EventLog : public ButtonEvents {
  public:
    std::vector<std::string> lines;
    void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        Add("MouseDown", b, s, x, y);
    }
    void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        Add("MouseUp", b, s, x, y);
    }
    void MouseMove(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        Add("MouseMove", b, s, x, y);
    }
    void KeyDown(std::int16_t& k, std::int16_t& s) override {
        lines.push_back("KeyDown " + std::to_string(k) + " " + std::to_string(s));
    }
    void KeyPress(std::int16_t& k) override { lines.push_back("KeyPress " + std::to_string(k)); }
    void KeyUp(std::int16_t& k, std::int16_t& s) override {
        lines.push_back("KeyUp " + std::to_string(k) + " " + std::to_string(s));
    }
    void MouseOnButton(bool& on) override {
        lines.push_back(on ? "MouseOnButton true" : "MouseOnButton false");
    }
    void Click() override { lines.push_back("Click"); }
    void DoubleClick(std::int16_t& b) override {
        lines.push_back("DoubleClick " + std::to_string(b));
    }

  private:
    void Add(const char* what, int b, int s, float x, float y) {
        lines.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) +
                        " " + std::to_string(static_cast<int>(x)) + " " +
                        std::to_string(static_cast<int>(y)));
    }
};

// A button on fake ports, resized once as a host would.
struct Rig {
    FakeWindow window;
    FakeTimer timer;
    FakeHost host;
    EventLog events;
    std::unique_ptr<zoButtons_H> button;

    explicit Rig(Size size = {89, 33}, bool design = false) {
        window.size = size;
        host.design = design;
        button = std::make_unique<zoButtons_H>(window, timer, host, events);
        timer.button = button.get();
        window.button = button.get();
        window.clockMs = &timer.nowMs;
        button->OnShow();
        button->OnResize();
        host.changed.clear();
    }
    zoButtons_H& b() { return *button; }
    RasterCanvas& px() { return window.Pixels(); }
};

}  // namespace cindral::button::test
