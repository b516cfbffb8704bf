#include "platform/qt/settings_widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace cindral::platform::qt {

QImage ToQImage(const settings_window::Image& image) {
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < image.width; ++x) row[x] = image.At(x, y);
    }
    return out;
}

void PressTracker::Press(QMouseEvent* e, const ControlInput& input) {
    if (e->button() == Qt::LeftButton) leftDown_ = true;
    if (input.pressed) input.pressed();
}

void PressTracker::Release(QMouseEvent* e, const QWidget& self, const ControlInput& input) {
    if (e->button() != Qt::LeftButton || !leftDown_) return;
    leftDown_ = false;
    if (self.rect().contains(e->position().toPoint()) && input.clicked) input.clicked();
}

void DrawSunkenBorder(QPainter& p, QSize size) {
    const int w = size.width() - 1, h = size.height() - 1;
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(1, 1, w - 1, 1);
    p.drawLine(1, 1, 1, h - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, h, w, h);
    p.drawLine(w, 0, w, h);
    p.setPen(QColor(212, 208, 200));
    p.drawLine(1, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 1, w - 1, h - 1);
}

RetainedSurface::RetainedSurface(QWidget* parent, QSize drawingArea, QColor fill,
                                 std::optional<QColor> border)
    : QWidget(parent), image_(drawingArea, QImage::Format_RGB32), border_(border) {
    image_.fill(fill);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RetainedSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int b = BorderWidth();
    if (border_) {
        p.setPen(*border_);
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
    p.drawImage(b, b, image_);
    p.end();
    if (!painted_) {
        painted_ = true;
        if (onFirstPaint) onFirstPaint();
    }
}

PictureControl::PictureControl(QWidget* parent, bool border, ControlInput input)
    : ClickableControl(std::move(input), parent), border_(border) {}

void PictureControl::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (border_) DrawSunkenBorder(p, size());
    const int inset = border_ ? 2 : 0;
    p.drawImage(inset, inset, picture_);
}

TextLabel::TextLabel(QWidget* parent, const QString& text, ControlInput input, bool border,
                     std::optional<QColor> fill)
    : ClickableControl(std::move(input), parent), border_(border), fill_(fill) {
    setTextFormat(Qt::PlainText);
    setText(text);
}

void TextLabel::paintEvent(QPaintEvent* e) {
    if (fill_ || border_) {
        QPainter p(this);
        if (fill_) p.fillRect(rect(), *fill_);
        if (border_) DrawSunkenBorder(p, size());
    }
    QLabel::paintEvent(e);
}

FrameShape::FrameShape(QWidget* parent, QColor colour) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrameShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(colour_);
    p.drawRect(0, 0, width() - 1, height() - 1);
}

}  // namespace cindral::platform::qt
