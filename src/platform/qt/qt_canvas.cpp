#include "platform/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "button/region.h"

namespace cindral::platform::qt {

using namespace cindral::button;

namespace {

QString ToQt(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignTop;

}  // namespace

QtCanvas::QtCanvas(QSize size) : image_(size, QImage::Format_RGB32) { image_.fill(Qt::black); }

QColor QtCanvas::ToQColor(Color rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

void QtCanvas::Begin(QPainter& p) {
    p.begin(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    if (clip_) p.setClipRegion(*clip_);
}

Size QtCanvas::GetSize() const { return {image_.width(), image_.height()}; }

void QtCanvas::FillRect(const Rect& r, Color rgb) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    QPainter p;
    Begin(p);
    p.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToQColor(rgb));
}

void QtCanvas::Polyline(const std::vector<Point>& pts, Color rgb, int width, PenStyle style) {
    if (pts.size() < 2) return;
    QPainter p;
    Begin(p);
    if (width > 1) {
        QPen pen(ToQColor(rgb), width);
        pen.setStyle(style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
        p.setPen(pen);
        QPolygon poly;
        for (const Point& pt : pts) poly << QPoint(pt.x, pt.y);
        p.drawPolyline(poly);
        return;
    }
    // One-pixel lines are laid out here so that the final point is left out
    // and dots alternate exactly, as the control's geometry expects.
    QPolygon dots;
    int n = 0;
    for (const Point& pt : PolylinePixels(pts)) {
        if (style == PenStyle::Solid || n % 2 == 0) dots << QPoint(pt.x, pt.y);
        ++n;
    }
    p.setPen(QPen(ToQColor(rgb), 1));
    p.drawPoints(dots);
}

void QtCanvas::Ellipse(const Rect& r, Color rgb, int penWidth) {
    QPainter p;
    Begin(p);
    p.setPen(QPen(ToQColor(rgb), penWidth));
    p.setBrush(Qt::NoBrush);
    const double half = penWidth / 2.0;
    p.drawEllipse(QRectF(r.left + half, r.top + half, r.Width() - penWidth, r.Height() - penWidth));
}

void QtCanvas::SetClipEllipse(const Rect& r) {
    clip_ = QRegion(QRect(r.left, r.top, r.Width(), r.Height()), QRegion::Ellipse);
}

void QtCanvas::ClearClip() { clip_.reset(); }

void QtCanvas::SetFont(const FontDescription& font) {
    QFont f(QString::fromUtf8(font.face.c_str()));
    if (font.height != 0) f.setPixelSize(font.height < 0 ? -font.height : font.height);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeout);
    f.setStyleStrategy(QFont::NoAntialias);
    font_ = f;
}

Size QtCanvas::MeasureText(const std::string& text, int maxWidth) {
    const QFontMetrics fm(font_);
    const QRect r =
        fm.boundingRect(QRect(0, 0, maxWidth, 1 << 20), kTextFlags | Qt::AlignLeft, ToQt(text));
    return {r.width(), r.height()};
}

void QtCanvas::DrawText(const Rect& r, const std::string& text, Color rgb, TextAlign align) {
    QPainter p;
    Begin(p);
    p.setFont(font_);
    p.setPen(ToQColor(rgb));
    const int h = align == TextAlign::Left    ? Qt::AlignLeft
                  : align == TextAlign::Right ? Qt::AlignRight
                                              : Qt::AlignHCenter;
    p.drawText(QRect(r.left, r.top, r.Width(), r.Height()), kTextFlags | h, ToQt(text));
}

void QtCanvas::DrawFocusRect(const Rect& r) {
    // Every other pixel of the outline is inverted, so a second call erases it.
    auto invert = [&](int x, int y) {
        if ((x + y) % 2 != 0 || !image_.rect().contains(x, y)) return;
        if (clip_ && !clip_->contains(QPoint(x, y))) return;
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        line[x] = 0xFF000000u | (~line[x] & 0xFFFFFFu);
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        invert(r.right - 1, y);
    }
}

void QtCanvas::DrawPicture(Point at, const Picture& pic) {
    if (!IsUsable(pic)) return;
    QImage img(pic.width, pic.height, QImage::Format_ARGB32);
    const std::uint32_t key = pic.pixels[0] & 0xFFFFFF;
    for (int y = 0; y < pic.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < pic.width; ++x) {
            const std::uint32_t px = pic.pixels[static_cast<size_t>(y) * pic.width + x];
            if (pic.isIcon) {
                line[x] = px;
            } else {
                line[x] = (px & 0xFFFFFF) == key ? 0u : (0xFF000000u | (px & 0xFFFFFF));
            }
        }
    }
    QPainter p;
    Begin(p);
    p.drawImage(QPoint(at.x, at.y), img);
}

void QtCanvas::FillMask(Point at, const Mask& mask, Color rgb) {
    if (mask.width <= 0 || mask.height <= 0 ||
        mask.on.size() != static_cast<size_t>(mask.width) * mask.height)
        return;
    QImage img(mask.width, mask.height, QImage::Format_ARGB32);
    const QRgb on = ToQColor(rgb).rgb();
    for (int y = 0; y < mask.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < mask.width; ++x) {
            line[x] = mask.on[static_cast<size_t>(y) * mask.width + x] ? on : 0u;
        }
    }
    QPainter p;
    Begin(p);
    p.drawImage(QPoint(at.x, at.y), img);
}

}  // namespace cindral::platform::qt
