#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <optional>

#include "button/canvas.h"

class QPainter;

namespace cindral::button {

// The button's off-screen surface on a QImage. Shapes are drawn without
// anti-aliasing so that every documented colour lands on the pixels as is.
class QtCanvas : public Canvas {
  public:
    explicit QtCanvas(QSize size);

    const QImage& Image() const { return image_; }

    Size GetSize() const override;
    void FillRect(const Rect& r, Color rgb) override;
    void Polyline(const std::vector<Point>& pts, Color rgb, int width, PenStyle style) override;
    void Ellipse(const Rect& r, Color rgb, int penWidth) override;
    void SetClipEllipse(const Rect& r) override;
    void ClearClip() override;
    void SetFont(const FontSpec& font) override;
    Size MeasureText(const std::string& text, int maxWidth) override;
    void DrawText(const Rect& r, const std::string& text, Color rgb, TextAlign align) override;
    void DrawFocusRect(const Rect& r) override;
    void DrawPicture(Point at, const Picture& pic) override;
    void FillMask(Point at, const Mask& mask, Color rgb) override;

    static QColor ToQColor(Color rgb);
    // Maps the face names the control's users pick to fonts this system has.
    static void InstallFontSubstitutions();

  private:
    void Begin(QPainter& p);
    QImage image_;
    std::optional<QRegion> clip_;
    QFont font_;
};

}  // namespace cindral::button
