#pragma once
// The plain controls of the settings window: surfaces that keep what was drawn
// on them, pictures, labels and frames. Each reports presses and clicks and
// decides nothing.

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

#include "settings_window/pictures.h"

namespace cindral::platform::qt {

QImage ToQImage(const settings_window::Image& image);

// What a control reports: a press of any mouse button, and a click (the left
// button pressed and released over the control).
struct ControlInput {
    std::function<void()> pressed;
    std::function<void()> clicked;
};

// Tracks a press for ControlInput on behalf of a widget.
class PressTracker {
  public:
    void Press(QMouseEvent* e, const ControlInput& input);
    void Release(QMouseEvent* e, const QWidget& self, const ControlInput& input);

  private:
    bool leftDown_ = false;
};

// A control of the Qt type `Base` that reports its presses and clicks.
template <typename Base>
class ClickableControl : public Base {
  public:
    template <typename... BaseArgs>
    explicit ClickableControl(ControlInput input, BaseArgs&&... args)
        : Base(std::forward<BaseArgs>(args)...), input_(std::move(input)) {}

  protected:
    void mousePressEvent(QMouseEvent* e) override { tracker_.Press(e, input_); }
    void mouseReleaseEvent(QMouseEvent* e) override { tracker_.Release(e, *this, input_); }

  private:
    ControlInput input_;
    PressTracker tracker_;
};

// A surface drawn once and kept: the backdrop and the two panels. A panel
// draws its single-line border around the kept drawing area.
class RetainedSurface : public QWidget {
    Q_OBJECT
  public:
    RetainedSurface(QWidget* parent, QSize drawingArea, QColor fill, std::optional<QColor> border);
    QImage& Image() { return image_; }
    int BorderWidth() const { return border_ ? 1 : 0; }
    // Called after the first paint (the start-up benchmark stamps it).
    std::function<void()> onFirstPaint;

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QImage image_;
    std::optional<QColor> border_;
    bool painted_ = false;
};

// A marker or a preview: a picture, optionally inside a sunken border.
class PictureControl : public ClickableControl<QWidget> {
    Q_OBJECT
  public:
    PictureControl(QWidget* parent, bool border, ControlInput input);
    void SetPicture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QImage picture_;
    bool border_;
};

// A label of plain text (a path holding markup shows it literally), on what
// lies under it or on `fill`, optionally inside a sunken border.
class TextLabel : public ClickableControl<QLabel> {
    Q_OBJECT
  public:
    TextLabel(QWidget* parent, const QString& text, ControlInput input, bool border,
              std::optional<QColor> fill);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    bool border_;
    std::optional<QColor> fill_;
};

// A one-pixel outline (the frame of a panel's title); mouse input passes
// through it.
class FrameShape : public QWidget {
    Q_OBJECT
  public:
    FrameShape(QWidget* parent, QColor colour);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QColor colour_;
};

// Draws the sunken two-pixel border of a control of `size`.
void DrawSunkenBorder(QPainter& p, QSize size);

}  // namespace cindral::platform::qt
