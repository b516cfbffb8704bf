#include "platform/qt/zo_button_widget.h"

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QThread>
#include <QUrl>
#include <algorithm>

#include "platform/qt/button_timer.h"

namespace cindral::platform::qt {

using namespace cindral::button;

namespace {

std::int16_t ButtonCode(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

std::int16_t ButtonMask(Qt::MouseButtons b) {
    return static_cast<std::int16_t>(((b & Qt::LeftButton) ? 1 : 0) |
                                     ((b & Qt::RightButton) ? 2 : 0) |
                                     ((b & Qt::MiddleButton) ? 4 : 0));
}

std::int16_t ShiftMask(Qt::KeyboardModifiers m) {
    return static_cast<std::int16_t>(((m & Qt::ShiftModifier) ? 1 : 0) |
                                     ((m & Qt::ControlModifier) ? 2 : 0) |
                                     ((m & Qt::AltModifier) ? 4 : 0));
}

// Qt key to the window system's virtual-key code the control's handlers use.
std::int16_t KeyCode(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(112 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Space:
            return 32;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_End:
            return 35;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        default:
            return 0;
    }
}

// Space presses the button and the arrows move the focus.
bool OwnKey(std::int16_t code) { return code == 32 || (code >= 37 && code <= 40); }

Color FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

QRegion ToQRegion(const Region& region) {
    QRegion out;
    for (const auto& part : region.parts) {
        QRegion piece;
        const QRect box(part.box.left, part.box.top, part.box.Width(), part.box.Height());
        switch (part.kind) {
            case Region::Kind::Rectangle:
                piece = QRegion(box);
                break;
            case Region::Kind::Ellipse:
                piece = QRegion(box, QRegion::Ellipse);
                break;
            case Region::Kind::Polygon: {
                QPolygon poly;
                for (const Point& p : part.points) poly << QPoint(p.x, p.y);
                piece = QRegion(poly, Qt::OddEvenFill);
                break;
            }
        }
        out = part.subtract ? out.subtracted(piece) : out.united(piece);
    }
    return out;
}

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

// The pointer of code 4: a small square within a square.
QCursor IconPointer() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(8, 8, 15, 15);
    p.drawRect(12, 12, 7, 7);
    p.end();
    return QCursor(QPixmap::fromImage(img), 16, 16);
}

DragData FromMime(const QMimeData* mime) {
    DragData d;
    if (!mime) return d;
    for (const QString& f : mime->formats()) d.formats.push_back(f.toStdString());
    d.text = mime->text().toStdString();
    for (const QUrl& u : mime->urls()) {
        if (u.isLocalFile()) d.files.push_back(u.toLocalFile().toStdString());
    }
    return d;
}

std::int32_t EffectOf(Qt::DropActions a) {
    return ((a & Qt::CopyAction) ? kDropEffectCopy : 0) |
           ((a & Qt::MoveAction) ? kDropEffectMove : 0);
}

Qt::DropActions ActionsOf(std::int32_t effect) {
    Qt::DropActions a;
    if (effect & kDropEffectCopy) a |= Qt::CopyAction;
    if (effect & kDropEffectMove) a |= Qt::MoveAction;
    return a;
}

}  // namespace

// Raises each event to the listener (which may change the arguments) and
// then as a Qt signal.
class ZoButtonWidget::Relay : public ButtonEvents {
  public:
    explicit Relay(ZoButtonWidget& w) : w_(w) {}
    void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        if (w_.listener_) w_.listener_->MouseDown(b, s, x, y);
        emit w_.mouseDown(b, s, x, y);
    }
    void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        if (w_.listener_) w_.listener_->MouseUp(b, s, x, y);
        emit w_.mouseUp(b, s, x, y);
    }
    void MouseMove(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        if (w_.listener_) w_.listener_->MouseMove(b, s, x, y);
        emit w_.mouseMove(b, s, x, y);
    }
    void KeyDown(std::int16_t& k, std::int16_t& s) override {
        if (w_.listener_) w_.listener_->KeyDown(k, s);
        emit w_.keyDown(k, s);
    }
    void KeyPress(std::int16_t& k) override {
        if (w_.listener_) w_.listener_->KeyPress(k);
        emit w_.keyPress(k);
    }
    void KeyUp(std::int16_t& k, std::int16_t& s) override {
        if (w_.listener_) w_.listener_->KeyUp(k, s);
        emit w_.keyUp(k, s);
    }
    void MouseOnButton(bool& on) override {
        if (w_.listener_) w_.listener_->MouseOnButton(on);
        emit w_.mouseOnButton(on);
    }
    void Click() override {
        if (w_.listener_) w_.listener_->Click();
        emit w_.clicked();
    }
    void DoubleClick(std::int16_t& b) override {
        if (w_.listener_) w_.listener_->DoubleClick(b);
        emit w_.doubleClicked(b);
    }
    void OLECompleteDrag(std::int32_t& effect) override {
        if (w_.listener_) w_.listener_->OLECompleteDrag(effect);
    }
    void OLEDragDrop(DragData& d, std::int32_t& effect, std::int16_t& b, std::int16_t& s, float& x,
                     float& y) override {
        if (w_.listener_) w_.listener_->OLEDragDrop(d, effect, b, s, x, y);
    }
    void OLEDragOver(DragData& d, std::int32_t& effect, std::int16_t& b, std::int16_t& s, float& x,
                     float& y, std::int16_t& state) override {
        if (w_.listener_) w_.listener_->OLEDragOver(d, effect, b, s, x, y, state);
    }
    void OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) override {
        if (w_.listener_) w_.listener_->OLEGiveFeedback(effect, defaultCursors);
    }
    void OLESetData(DragData& d, std::int16_t& format) override {
        if (w_.listener_) w_.listener_->OLESetData(d, format);
    }
    void OLEStartDrag(DragData& d, std::int32_t& allowed) override {
        if (w_.listener_) w_.listener_->OLEStartDrag(d, allowed);
    }

  private:
    ZoButtonWidget& w_;
};

ZoButtonWidget::ZoButtonWidget(QWidget* parent, ButtonHost* host) : QWidget(parent) {
    static const bool substituted = (QtCanvas::InstallFontSubstitutions(), true);
    (void)substituted;
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

void ZoButtonWidget::ForwardDrag(QDropEvent* e, std::int16_t state) {
    lastDrag_ = FromMime(e->mimeData());
    std::int32_t effect = EffectOf(e->possibleActions());
    std::int16_t button = ButtonMask(e->buttons());
    std::int16_t shift = ShiftMask(e->modifiers());
    float x = static_cast<float>(e->position().x());
    float y = static_cast<float>(e->position().y());
    if (state < 0) {
        relay_->OLEDragDrop(lastDrag_, effect, button, shift, x, y);
    } else {
        relay_->OLEDragOver(lastDrag_, effect, button, shift, x, y, state);
    }
    const Qt::DropActions allowed = ActionsOf(effect) & e->possibleActions();
    if (!allowed) {
        e->ignore();
        return;
    }
    e->setDropAction((allowed & e->proposedAction()) ? e->proposedAction()
                     : (allowed & Qt::CopyAction)    ? Qt::CopyAction
                                                     : Qt::MoveAction);
    e->accept();
}

void ZoButtonWidget::dragEnterEvent(QDragEnterEvent* e) { ForwardDrag(e, kDragEnter); }

void ZoButtonWidget::dragMoveEvent(QDragMoveEvent* e) { ForwardDrag(e, kDragOver); }

void ZoButtonWidget::dragLeaveEvent(QDragLeaveEvent*) {
    std::int32_t effect = kDropEffectNone;
    std::int16_t button = 0, shift = 0, state = kDragLeave;
    const QPoint p = mapFromGlobal(QCursor::pos());
    float x = static_cast<float>(p.x()), y = static_cast<float>(p.y());
    relay_->OLEDragOver(lastDrag_, effect, button, shift, x, y, state);
}

void ZoButtonWidget::dropEvent(QDropEvent* e) { ForwardDrag(e, -1); }

std::int32_t ZoButtonWidget::OLEDrag() {
    DragData data;
    std::int32_t allowed = kDropEffectCopy | kDropEffectMove;
    relay_->OLEStartDrag(data, allowed);
    if (allowed == kDropEffectNone) return kDropEffectNone;
    std::int16_t format = 1;  // text
    relay_->OLESetData(data, format);
    auto* mime = new QMimeData;
    if (!data.text.empty()) mime->setText(QString::fromStdString(data.text));
    QList<QUrl> urls;
    for (const auto& f : data.files) urls << QUrl::fromLocalFile(QString::fromStdString(f));
    if (!urls.isEmpty()) mime->setUrls(urls);
    QDrag drag(this);
    drag.setMimeData(mime);
    connect(&drag, &QDrag::actionChanged, this, [this](Qt::DropAction a) {
        std::int32_t effect = EffectOf(a);
        bool defaultCursors = true;
        relay_->OLEGiveFeedback(effect, defaultCursors);
    });
    std::int32_t effect = EffectOf(drag.exec(ActionsOf(allowed)));
    relay_->OLECompleteDrag(effect);
    return effect;
}

Color ZoButtonWidget::SystemColorRgb(button::SystemColor name) const {
    using button::SystemColor;
    const QPalette& pal = palette();
    switch (name) {
        case SystemColor::Window:
            return FromQColor(pal.color(QPalette::Base));
        case SystemColor::WindowText:
            return FromQColor(pal.color(QPalette::Text));
        case SystemColor::Highlight:
            return FromQColor(pal.color(QPalette::Highlight));
        case SystemColor::HighlightText:
            return FromQColor(pal.color(QPalette::HighlightedText));
        case SystemColor::ButtonFace:
            return FromQColor(pal.color(QPalette::Button));
        case SystemColor::ButtonShadow:
            return FromQColor(pal.color(QPalette::Dark));
        case SystemColor::ButtonText:
            return FromQColor(pal.color(QPalette::ButtonText));
        case SystemColor::ButtonHighlight:
            return FromQColor(pal.color(QPalette::Light));
        case SystemColor::DarkShadow:
            return FromQColor(pal.color(QPalette::Shadow));
        default:
            return FromQColor(pal.color(QPalette::Window));
    }
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
    switch (pointer) {
        case 0:
            unsetCursor();
            break;
        case 1:
            setCursor(Qt::ArrowCursor);
            break;
        case 2:
            setCursor(Qt::CrossCursor);
            break;
        case 3:
            setCursor(Qt::IBeamCursor);
            break;
        case 4:
            setCursor(IconPointer());
            break;
        case 5:
        case 15:
            setCursor(Qt::SizeAllCursor);
            break;
        case 6:
            setCursor(Qt::SizeBDiagCursor);
            break;
        case 7:
            setCursor(Qt::SizeVerCursor);
            break;
        case 8:
            setCursor(Qt::SizeFDiagCursor);
            break;
        case 9:
            setCursor(Qt::SizeHorCursor);
            break;
        case 10:
            setCursor(Qt::UpArrowCursor);
            break;
        case 11:
            setCursor(Qt::WaitCursor);
            break;
        case 12:
            setCursor(Qt::ForbiddenCursor);
            break;
        case 13:
            setCursor(Qt::BusyCursor);
            break;
        case 14:
            setCursor(Qt::WhatsThisCursor);
            break;
        case 99:
            if (mouseIcon_ && IsUsable(*mouseIcon_)) {
                QImage img(reinterpret_cast<const uchar*>(mouseIcon_->pixels.data()),
                           mouseIcon_->width, mouseIcon_->height, QImage::Format_ARGB32);
                setCursor(QCursor(QPixmap::fromImage(img.copy())));
            }
            break;
        default:
            break;
    }
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
    if (cursorQuery_) return cursorQuery_();
    return QApplication::widgetAt(QCursor::pos()) == this;
}

}  // namespace cindral::platform::qt
