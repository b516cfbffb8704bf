#include "platform/qt/zo_button_widget.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QThread>
#include <algorithm>

#include "platform/qt/button_timer.h"
#include "platform/qt/colour_map.h"
#include "platform/qt/font_substitutions.h"
#include "platform/qt/input_codes.h"
#include "platform/qt/pointer_shapes.h"
#include "platform/qt/zo_button_relay.h"

namespace cindral::platform::qt {

using namespace cindral::button;

namespace {

// The run-time container is the parent widget: its background colour is the
// container's colour.
class ContainerHost : public ButtonHost {
  public:
    explicit ContainerHost(const QWidget& button) : button_(button) {}
    Color AmbientBackColor() const override {
        const QWidget* parent = button_.parentWidget();
        const QWidget& container = parent ? *parent : button_;
        return FromQColor(container.palette().color(container.backgroundRole()));
    }

  private:
    const QWidget& button_;
};

}  // namespace

ZoButtonWidget::ZoButtonWidget(QWidget* parent, ButtonHost* host) : QWidget(parent) {
    InstallFontSubstitutions();
    if (!host) {
        ownHost_ = std::make_unique<ContainerHost>(*this);
        host = ownHost_.get();
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    font_ = host->AmbientFont();
    relay_ = std::make_unique<Relay>(*this);
    shortcut_ = new QShortcut(this);
    shortcut_->setContext(Qt::WindowShortcut);
    connect(shortcut_, &QShortcut::activated, this, [this] {
        if (isEnabled()) control_->OnAccessKey();
    });
    ButtonWindow& window = *this;
    HoverTimer& timer = *this;
    control_ = std::make_unique<zoButtons_H>(window, timer, *host, *relay_);
    control_->OnShow();
    WatchContainer();
}

void ZoButtonWidget::WatchContainer() {
    if (watchedParent_) watchedParent_->removeEventFilter(this);
    watchedParent_ = parentWidget();
    if (watchedParent_) watchedParent_->installEventFilter(this);
}

bool ZoButtonWidget::eventFilter(QObject* watched, QEvent* e) {
    if (watched == watchedParent_ && e->type() == QEvent::PaletteChange && control_) {
        control_->OnAmbientBackColorChanged();
    }
    return QWidget::eventFilter(watched, e);
}

ZoButtonWidget::~ZoButtonWidget() {
    // The control stops its hover timer first; then the drawing resources go.
    control_.reset();
    canvas_.reset();
    shown_ = QImage();
}

QImage ZoButtonWidget::SurfaceImage() const { return canvas_ ? canvas_->Image() : shown_; }

void ZoButtonWidget::BlitSurface() {
    if (!canvas_) return;
    shown_ = canvas_->Image();
    QPainter p(this);
    p.drawImage(0, 0, shown_);
}

void ZoButtonWidget::paintEvent(QPaintEvent*) {
    if (presentPending_) {
        // The control asked for this paint: copy its finished picture.
        presentPending_ = false;
        BlitSurface();
        return;
    }
    const bool stale = !canvas_ || canvas_->Image().size() != size();
    if (!paintRequestPending_ && !stale) {
        // Qt repaints the widget along with an ancestor: the surface still
        // holds the finished picture, and the control's state stays as is.
        BlitSurface();
        return;
    }
    inPaint_ = true;
    if (paintRequestPending_) {
        // The window became visible again: the control's own paint request.
        control_->OnPaint();
    } else {
        control_->Refresh();
    }
    paintRequestPending_ = false;
    inPaint_ = false;
    if (control_->Delayed()) BlitSurface();
}

void ZoButtonWidget::showEvent(QShowEvent*) { paintRequestPending_ = true; }

void ZoButtonWidget::resizeEvent(QResizeEvent*) { control_->OnResize(); }

void ZoButtonWidget::mousePressEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    // A second press of the same button soon after the first, close to it,
    // is the double click: it takes the place of that press, as the window
    // system reports it. Qt's own double-click event that follows is ignored.
    const bool doubleClick =
        !lastPressWasDouble_ && e->button() == lastPressButton_ &&
        e->timestamp() - lastPressTime_ <=
            static_cast<quint64>(QApplication::doubleClickInterval()) &&
        (p.toPoint() - lastPressPos_).manhattanLength() <= QApplication::startDragDistance();
    lastPressButton_ = e->button();
    lastPressTime_ = e->timestamp();
    lastPressPos_ = p.toPoint();
    lastPressWasDouble_ = doubleClick;
    pressedInside_ = true;
    suppressClick_ = doubleClick;
    if (doubleClick) {
        control_->OnDoubleClick();
        return;
    }
    control_->OnMouseDown(ButtonCode(e->button()), ShiftMask(e->modifiers()),
                          static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void ZoButtonWidget::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    control_->OnMouseUp(ButtonCode(e->button()), ShiftMask(e->modifiers()),
                        static_cast<float>(p.x()), static_cast<float>(p.y()));
    // The window's click follows a press and a release over the button; the
    // release that ends a double click makes none.
    const bool click = pressedInside_ && !suppressClick_ && rect().contains(p.toPoint());
    pressedInside_ = false;
    suppressClick_ = false;
    if (click) control_->OnClick();
}

void ZoButtonWidget::mouseDoubleClickEvent(QMouseEvent*) {}

void ZoButtonWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    control_->OnMouseMove(ButtonMask(e->buttons()), ShiftMask(e->modifiers()),
                          static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void ZoButtonWidget::keyPressEvent(QKeyEvent* e) {
    const std::int16_t code = KeyCode(e->key());
    if (code != 0) control_->OnKeyDown(code, ShiftMask(e->modifiers()));
    const QString text = e->text();
    if (text.size() == 1 && text[0].unicode() < 0x8000) {
        control_->OnKeyPress(static_cast<std::int16_t>(text[0].unicode()));
    }
    // Keys the button has no use for go on to the container (Escape, Enter).
    if (!OwnKey(code)) e->ignore();
}

void ZoButtonWidget::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;  // key-up comes once, at the real release
    const std::int16_t code = KeyCode(e->key());
    if (code != 0) control_->OnKeyUp(code, ShiftMask(e->modifiers()));
    if (!OwnKey(code)) e->ignore();
}

void ZoButtonWidget::focusInEvent(QFocusEvent*) { control_->OnGotFocus(); }

void ZoButtonWidget::focusOutEvent(QFocusEvent*) { control_->OnLostFocus(); }

void ZoButtonWidget::changeEvent(QEvent* e) {
    // The control paints its own enabled look; Qt's generic update would
    // arrive as a window paint request and drop the pressed state.
    if (e->type() == QEvent::EnabledChange) return;
    if (e->type() == QEvent::ParentChange && control_) {
        WatchContainer();
        control_->OnAmbientBackColorChanged();
    }
    QWidget::changeEvent(e);
}

void ZoButtonWidget::timerEvent(QTimerEvent* e) {
    for (const auto& [id, qtId] : qtTimers_) {
        if (qtId == e->timerId()) {
            HoverTimerProc(this);
            return;
        }
    }
    QWidget::timerEvent(e);
}

Color ZoButtonWidget::SystemColorRgb(button::SystemColor name) const {
    return PaletteColour(palette(), name);
}

Size ZoButtonWidget::ClientSize() const { return {width(), height()}; }

Size ZoButtonWidget::ScreenSize() const {
    const QScreen* s = screen();
    if (!s) return {1024, 768};
    return {s->size().width(), s->size().height()};
}

void ZoButtonWidget::SetClientWidth(int w) { resize(w, height()); }

bool ZoButtonWidget::IsEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

void ZoButtonWidget::SetEnabled(bool enabled) { setEnabled(enabled); }

void ZoButtonWidget::SetFont(const Font& font) {
    font_ = font;
    QFont f(QString::fromUtf8(font.face.c_str()));
    f.setPointSizeF(font.pointSize);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeout);
    QWidget::setFont(f);
}

void ZoButtonWidget::SetMousePointer(int pointer) {
    mousePointer_ = pointer;
    ApplyPointer(*this, pointer, mouseIcon_);
}

bool ZoButtonWidget::SetMouseIcon(const PicturePtr& icon, std::string& error) {
    if (icon && !icon->isIcon) {
        error = "Invalid property value";
        return false;
    }
    mouseIcon_ = icon;
    if (mousePointer_ == 99) SetMousePointer(99);
    return true;
}

double ZoButtonWidget::TwipsPerPixelY() const {
    const int dpi = logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void ZoButtonWidget::SetRegion(const Region& region) { setMask(ToQRegion(region)); }

Canvas& ZoButtonWidget::Surface() {
    const QSize want(std::max(1, width()), std::max(1, height()));
    if (!canvas_) canvas_ = std::make_unique<QtCanvas>(want);
    return *canvas_;
}

void ZoButtonWidget::DropSurface() { canvas_.reset(); }

void ZoButtonWidget::Present() {
    if (inPaint_) {
        BlitSurface();
        return;
    }
    if (!isVisible()) return;
    presentPending_ = true;
    repaint();
}

void ZoButtonWidget::SetAccessKey(const std::string& key) {
    if (key.empty()) {
        shortcut_->setKey(QKeySequence());
        return;
    }
    shortcut_->setKey(QKeySequence::mnemonic(QStringLiteral("&") + QString::fromUtf8(key.c_str())));
}

// Qt grabs the mouse implicitly from a press to its release, which is the
// capture the control asks for.
void ZoButtonWidget::CaptureMouse() {}
void ZoButtonWidget::ReleaseMouse() {}

void ZoButtonWidget::TakeFocus() { setFocus(Qt::ShortcutFocusReason); }

void ZoButtonWidget::MoveFocus(bool forward) { focusNextPrevChild(forward); }

Point ZoButtonWidget::CursorClientPos() const {
    const QPoint p = mapFromGlobal(QCursor::pos());
    return {p.x(), p.y()};
}

void ZoButtonWidget::Wait(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void ZoButtonWidget::Start(int id, int periodMs) {
    Stop(id);
    SetHoverTimerProperties(this, control_.get(), id);
    qtTimers_[id] = startTimer(periodMs, Qt::PreciseTimer);
}

void ZoButtonWidget::Stop(int id) {
    auto it = qtTimers_.find(id);
    if (it == qtTimers_.end()) return;
    killTimer(it->second);
    qtTimers_.erase(it);
}

bool ZoButtonWidget::CursorOverButton() const {
    return QApplication::widgetAt(QCursor::pos()) == this;
}

}  // namespace cindral::platform::qt
