#pragma once
// The button's off-screen surface on Windows: a memory DC holding a 32-bit
// top-down DIB section, drawn with GDI. Pictures and masks are written into
// the DIB's pixels directly (transparent colour and alpha as the painter
// wants them), inside the current clip.

#include <string>

#include "button/ports.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

class GdiCanvas final : public button::Canvas {
  public:
    explicit GdiCanvas(button::Size size);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC Dc() const { return dc_; }
    // Pixel (x, y) as 0x00RRGGBB.
    std::uint32_t PixelAt(int x, int y) const;

    button::Size GetSize() const override { return size_; }
    void FillRect(const button::Rect& r, button::Color rgb) override;
    void Polyline(const std::vector<button::Point>& pts, button::Color rgb, int width,
                  button::PenStyle style) override;
    void Ellipse(const button::Rect& r, button::Color rgb, int penWidth) override;
    void SetClipEllipse(const button::Rect& r) override;
    void ClearClip() override;
    void SetFont(const button::FontDescription& font) override;
    button::Size MeasureText(const std::string& text, int maxWidth) override;
    void DrawText(const button::Rect& r, const std::string& text, button::Color rgb,
                  button::TextAlign align) override;
    void DrawFocusRect(const button::Rect& r) override;
    void DrawPicture(button::Point at, const button::Picture& pic) override;
    void FillMask(button::Point at, const button::Mask& mask, button::Color rgb) override;

  private:
    void Put(int x, int y, std::uint32_t rgbx);
    std::uint32_t* Row(int y) const;

    button::Size size_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HRGN clip_ = nullptr;
};

}  // namespace cindral::platform::win32
