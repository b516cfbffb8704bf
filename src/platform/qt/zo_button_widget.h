#pragma once
// The button control hosted in a Qt widget.

#include <QWidget>
#include <map>
#include <memory>

#include "button/zo_button.h"
#include "platform/qt/qt_canvas.h"

class QShortcut;

namespace cindral::platform::qt {

// A Qt widget hosting the push-button control: it is the control's window,
// surface and hover timer, and turns Qt input into the control's handlers.
// Events reach the owner as Qt signals and, with by-reference arguments, an
// optional listener.
//
// A container places a button with its stored design-time values:
//
//   auto* ok = new ZoButtonWidget(panel);
//   ok->setGeometry(360, 340, 89, 33);
//   button::MemoryPropertyBag bag;  // keys match without regard to case
//   bag.Set("caption", std::string("OK"));
//   bag.Set("backstyle", std::int64_t{2});
//   ok->Control().ReadProperties(bag);
//   connect(ok, &ZoButtonWidget::mouseDown, ...);
//
// A widget that is not shown yet gets Qt's resize event only when it is
// shown; ReadProperties (or Control().OnResize()) lays it out before that.
//
// Without a host of its own, the container's colour (the ring of the oval
// shapes, and BackColor when the property set holds no "cBack") is the
// parent widget's background colour in its palette, followed whenever the
// parent's palette changes or the button moves to another parent. A parent
// painted with a gradient or texture sets that palette colour to the shade
// around the button.
class ZoButtonWidget : public QWidget, private button::ButtonWindow, private button::HoverTimer {
    Q_OBJECT

  public:
    // host may be null: a run-time host with default ambient values is used.
    explicit ZoButtonWidget(QWidget* parent = nullptr, button::ButtonHost* host = nullptr);
    ~ZoButtonWidget() override;

    button::zoButtons_H& Control() { return *control_; }
    void SetEventListener(button::ButtonEvents* listener) { listener_ = listener; }
    // The off-screen picture the control painted last.
    QImage SurfaceImage() const;
    // Starts a drag with this button as its source (the owner fills the data
    // in OLEStartDrag and OLESetData); returns the effect of the drop.
    std::int32_t OLEDrag();

  signals:
    void mouseDown(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void keyDown(int keyCode, int shift);
    void keyPress(int keyAscii);
    void keyUp(int keyCode, int shift);
    void mouseOnButton(bool onButton);
    void clicked();
    void doubleClicked(int button);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    class Relay;

    // ButtonWindow
    button::Color SystemColorRgb(button::SystemColor name) const override;
    button::Size ClientSize() const override;
    button::Size ScreenSize() const override;
    void SetClientWidth(int width) override;
    bool IsEnabled() const override;
    void SetEnabled(bool enabled) override;
    button::Font GetFont() const override { return font_; }
    void SetFont(const button::Font& font) override;
    button::Color GetForeColor() const override { return foreColor_; }
    void SetForeColor(button::Color c) override { foreColor_ = c; }
    int GetMousePointer() const override { return mousePointer_; }
    void SetMousePointer(int pointer) override;
    button::PicturePtr GetMouseIcon() const override { return mouseIcon_; }
    bool SetMouseIcon(const button::PicturePtr& icon, std::string& error) override;
    double TwipsPerPixelY() const override;
    void SetRegion(const button::Region& region) override;
    button::Canvas& Surface() override;
    void DropSurface() override;
    void Present() override;
    void SetAccessKey(const std::string& key) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void TakeFocus() override;
    void MoveFocus(bool forward) override;
    button::Point CursorClientPos() const override;
    void Wait(int ms) override;

    // HoverTimer
    void Start(int id, int periodMs) override;
    void Stop(int id) override;
    bool CursorOverButton() const override;

    void BlitSurface();
    // Watches the parent's palette, which holds the container's colour.
    void WatchContainer();
    // Raises OLEDragOver or, with state < 0, OLEDragDrop; answers the drag.
    void ForwardDrag(QDropEvent* e, std::int16_t state);

    std::unique_ptr<button::ButtonHost> ownHost_;
    QWidget* watchedParent_ = nullptr;
    std::unique_ptr<Relay> relay_;
    button::ButtonEvents* listener_ = nullptr;
    std::unique_ptr<QtCanvas> canvas_;
    QImage shown_;
    button::Font font_;
    button::Color foreColor_ = button::kSysButtonText;
    int mousePointer_ = 0;
    button::PicturePtr mouseIcon_;
    QShortcut* shortcut_ = nullptr;
    std::map<int, int> qtTimers_;  // control's timer id -> Qt timer id
    bool inPaint_ = false;
    bool presentPending_ = false;
    bool paintRequestPending_ = false;
    bool suppressClick_ = false;
    bool pressedInside_ = false;
    Qt::MouseButton lastPressButton_ = Qt::NoButton;
    quint64 lastPressTime_ = 0;
    QPoint lastPressPos_;
    bool lastPressWasDouble_ = false;
    button::DragData lastDrag_;
    std::unique_ptr<button::zoButtons_H> control_;
};

}  // namespace cindral::platform::qt
