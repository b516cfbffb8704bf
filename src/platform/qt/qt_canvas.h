#pragma once
// The button's Canvas on a QImage.

#include <QFont>
#include <QImage>
#include <QRegion>
#include <optional>

#include "button/ports.h"

class QPainter;

namespace cindral::platform::qt {

// The button's off-screen surface on a QImage. Shapes are drawn without
// anti-aliasing so that every documented colour lands on the pixels as is.
class QtCanvas : public button::Canvas {
  public:
    explicit QtCanvas(QSize size);

    const QImage& Image() const { return image_; }

    button::Size GetSize() const override;
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

    static QColor ToQColor(button::Color rgb);

  private:
    void Begin(QPainter& p);
    QImage image_;
    std::optional<QRegion> clip_;
    QFont font_;
};

}  // namespace cindral::platform::qt
