#include "platform/win32/gdi_canvas.h"

#include "platform/win32/wide_text.h"

namespace cindral::platform::win32 {

namespace {

// Button colours are RGB with red in the low byte, as COLORREF.
COLORREF Ref(button::Color rgb) { return static_cast<COLORREF>(rgb & 0xFFFFFF); }

// The DIB's pixel for a button colour: 0x00RRGGBB.
std::uint32_t Dib(button::Color rgb) {
    return (static_cast<std::uint32_t>(button::RedOf(rgb)) << 16) |
           (static_cast<std::uint32_t>(button::GreenOf(rgb)) << 8) |
           static_cast<std::uint32_t>(button::BlueOf(rgb));
}

}  // namespace

GdiCanvas::GdiCanvas(button::Size size) : size_(size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width > 0 ? size.width : 1;
    info.bmiHeader.biHeight = -(size.height > 0 ? size.height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
    SelectClipRgn(dc_, nullptr);
    if (clip_) DeleteObject(clip_);
    if (font_) {
        SelectObject(dc_, oldFont_);
        DeleteObject(font_);
    }
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

std::uint32_t* GdiCanvas::Row(int y) const {
    return static_cast<std::uint32_t*>(bits_) + static_cast<std::size_t>(y) * size_.width;
}

std::uint32_t GdiCanvas::PixelAt(int x, int y) const {
    GdiFlush();
    return Row(y)[x] & 0xFFFFFF;
}

void GdiCanvas::Put(int x, int y, std::uint32_t rgbx) {
    if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return;
    if (clip_ && !PtInRegion(clip_, x, y)) return;
    Row(y)[x] = rgbx;
}

void GdiCanvas::FillRect(const button::Rect& r, button::Color rgb) {
    HBRUSH brush = CreateSolidBrush(Ref(rgb));
    RECT rect{r.left, r.top, r.right, r.bottom};
    ::FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

void GdiCanvas::Polyline(const std::vector<button::Point>& pts, button::Color rgb, int width,
                         button::PenStyle style) {
    if (pts.size() < 2) return;
    LOGBRUSH brush{BS_SOLID, Ref(rgb), 0};
    HPEN pen = style == button::PenStyle::Dot
                   ? ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr)
                   : CreatePen(PS_SOLID, width, Ref(rgb));
    HGDIOBJ old = SelectObject(dc_, pen);
    std::vector<POINT> points;
    points.reserve(pts.size());
    for (const button::Point& p : pts) points.push_back({p.x, p.y});
    ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
    SelectObject(dc_, old);
    DeleteObject(pen);
}

void GdiCanvas::Ellipse(const button::Rect& r, button::Color rgb, int penWidth) {
    HPEN pen = CreatePen(PS_INSIDEFRAME, penWidth, Ref(rgb));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(pen);
}

void GdiCanvas::SetClipEllipse(const button::Rect& r) {
    if (clip_) DeleteObject(clip_);
    clip_ = CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
    SelectClipRgn(dc_, clip_);
}

void GdiCanvas::ClearClip() {
    SelectClipRgn(dc_, nullptr);
    if (clip_) DeleteObject(clip_);
    clip_ = nullptr;
}

void GdiCanvas::SetFont(const button::FontDescription& font) {
    HFONT made =
        CreateFontW(font.height, 0, 0, 0, font.weight, font.italic, font.underline, font.strikeout,
                    static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, WideFromUtf8(font.face).c_str());
    if (!made) return;
    HGDIOBJ previous = SelectObject(dc_, made);
    if (font_) {
        DeleteObject(font_);
    } else {
        oldFont_ = previous;
    }
    font_ = made;
}

button::Size GdiCanvas::MeasureText(const std::string& text, int maxWidth) {
    const std::wstring wide = WideFromUtf8(text);
    RECT rect{0, 0, maxWidth, 0};
    ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect,
                DT_CALCRECT | DT_WORDBREAK);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void GdiCanvas::DrawText(const button::Rect& r, const std::string& text, button::Color rgb,
                         button::TextAlign align) {
    const std::wstring wide = WideFromUtf8(text);
    RECT rect{r.left, r.top, r.right, r.bottom};
    UINT format = DT_WORDBREAK;
    if (align == button::TextAlign::Center) format |= DT_CENTER;
    if (align == button::TextAlign::Right) format |= DT_RIGHT;
    SetTextColor(dc_, Ref(rgb));
    ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

void GdiCanvas::DrawFocusRect(const button::Rect& r) {
    RECT rect{r.left, r.top, r.right, r.bottom};
    ::DrawFocusRect(dc_, &rect);
}

void GdiCanvas::DrawPicture(button::Point at, const button::Picture& pic) {
    if (!button::IsUsable(pic)) return;
    GdiFlush();
    const std::uint32_t transparent = pic.pixels[0] & 0xFFFFFF;
    for (int y = 0; y < pic.height; ++y) {
        for (int x = 0; x < pic.width; ++x) {
            const std::uint32_t p = pic.pixels[static_cast<std::size_t>(y) * pic.width + x];
            const int tx = at.x + x, ty = at.y + y;
            if (!pic.isIcon) {
                if ((p & 0xFFFFFF) != transparent) Put(tx, ty, p & 0xFFFFFF);
                continue;
            }
            const std::uint32_t alpha = p >> 24;
            if (alpha == 0 || tx < 0 || ty < 0 || tx >= size_.width || ty >= size_.height) continue;
            const std::uint32_t under = Row(ty)[tx];
            std::uint32_t out = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const std::uint32_t s = (p >> shift) & 0xFF, d = (under >> shift) & 0xFF;
                out |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
            }
            Put(tx, ty, out);
        }
    }
}

void GdiCanvas::FillMask(button::Point at, const button::Mask& mask, button::Color rgb) {
    GdiFlush();
    const std::uint32_t value = Dib(rgb);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.on[static_cast<std::size_t>(y) * mask.width + x])
                Put(at.x + x, at.y + y, value);
        }
    }
}

}  // namespace cindral::platform::win32
