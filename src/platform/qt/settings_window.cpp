#include "platform/qt/settings_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "platform/qt/font_substitutions.h"
#include "platform/qt/zo_button_widget.h"
#include "settings_window/button_properties.h"
#include "settings_window/file_caption.h"
#include "settings_window/pictures.h"

namespace cindral::platform::qt {
namespace {

using settings_window::ControlEntry;
using settings_window::ControlId;
using settings_window::ControlKind;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "ＭＳ Ｐゴシック" 9.75 pt, 13 pixels.
QFont LabelFont() {
    QFont f(FromView(settings_window::kLabelFontFace));
    f.setPixelSize(settings_window::kLabelFontPixels);
    return f;
}

QRect ToQRect(const settings_window::Rect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

settings_window::Rect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QColor ToQColor(const settings_window::Colour& c, const QPalette& pal) {
    switch (c.system) {
        case settings_window::SystemColour::WindowText:
            return pal.color(QPalette::WindowText);
        case settings_window::SystemColour::Window:
            return pal.color(QPalette::Base);
        case settings_window::SystemColour::None:
            break;
    }
    return QColor(c.rgb.r, c.rgb.g, c.rgb.b);
}

// The container that a surface of the table is for its controls.
settings_window::Container SurfaceContainer(const ControlEntry& surface) {
    if (surface.id == ControlId::PicC) return settings_window::Container::PicC;
    return surface.index == 0 ? settings_window::Container::FirePanel
                              : settings_window::Container::MusicPanel;
}

// The colour a child that draws its container's colour takes.
void SetBackgroundColour(QWidget& w, const QColor& colour) {
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, colour);
    w.setPalette(pal);
}

}  // namespace

QtSettingsWindow::QtSettingsWindow(config::Settings& settings,
                                   settings_window::EffectOrigin& origin,
                                   settings_window::SettingsSink& sink,
                                   settings_window::MusicFileDialog* dialog)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ownDialog_(this),
      core_(std::make_unique<settings_window::SettingsWindow>(
          settings, origin,
          settings_window::SettingsWindowPorts{*this, *this, dialog ? *dialog : ownDialog_, sink})),
      markerOff_(ToQImage(settings_window::MarkerOff())),
      markerOn_(ToQImage(settings_window::MarkerOn())),
      texture_(ToQImage(settings_window::TextureTile())) {
    const std::array<settings_window::Image, 8> previews = settings_window::FirePreviews();
    for (std::size_t i = 0; i < previews.size(); ++i) previews_[i] = ToQImage(previews[i]);

    setWindowTitle(FromView(settings_window::kWindowCaption));
    setWindowIcon(QPixmap::fromImage(ToQImage(settings_window::WindowIcon())));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(settings_window::kClientSize.width, settings_window::kClientSize.height);
    InstallFontSubstitutions();
    setFont(LabelFont());
    BuildControls();
}

QtSettingsWindow::~QtSettingsWindow() = default;

void QtSettingsWindow::BuildControls() {
    for (const ControlEntry& entry : settings_window::Controls()) {
        QWidget* container = ContainerOf(entry);
        QWidget* w = nullptr;
        switch (entry.look.kind) {
            case ControlKind::Surface:
                w = MakeSurface(entry, container);
                break;
            case ControlKind::Frame:
                w = new FrameShape(container, ToQColor(entry.look.borderColour, palette()));
                break;
            case ControlKind::Picture:
                w = MakePicture(entry, container);
                break;
            case ControlKind::Label:
                w = MakeLabel(entry, container);
                break;
            case ControlKind::Combo:
                w = MakeCombo(container);
                break;
            case ControlKind::PushButton:
                w = MakeButton(entry, container);
                break;
        }
        // Inside a panel, positions count from within its border.
        const int inset = container == panels_[0] || container == panels_[1] ? 1 : 0;
        QRect at = ToQRect(entry.rect).translated(inset, inset);
        if (auto* label = qobject_cast<TextLabel*>(w)) {
            at.setWidth(settings_window::GrownWidth(
                entry, label->fontMetrics().horizontalAdvance(label->text())));
        }
        w->setGeometry(at);
        controls_.emplace_back(&entry, w);
    }
}

QWidget* QtSettingsWindow::MakeSurface(const ControlEntry& entry, QWidget* container) {
    const settings_window::Look& look = entry.look;
    const bool border = look.border != settings_window::Border::None;
    const QSize area = ToQRect(entry.rect).size() - (border ? QSize(2, 2) : QSize(0, 0));
    auto* surface = new RetainedSurface(
        container, area, ToQColor(look.fill.value_or(settings_window::kBlack), palette()),
        border ? std::optional(ToQColor(look.borderColour, palette())) : std::nullopt);
    // Controls on it that show their container's colour take this one.
    const settings_window::Rgb shade = settings_window::ChildShade(SurfaceContainer(entry));
    SetBackgroundColour(*surface, QColor(shade.r, shade.g, shade.b));
    if (entry.id == ControlId::PicC) {
        backdrop_ = surface;
        backdrop_->onFirstPaint = [this] {
            if (onFirstPaint) onFirstPaint();
        };
    } else {
        panels_.at(static_cast<std::size_t>(entry.index)) = surface;
    }
    return surface;
}

QWidget* QtSettingsWindow::MakePicture(const ControlEntry& entry, QWidget* container) {
    const bool sunken = entry.look.border == settings_window::Border::Sunken;
    auto* picture = new PictureControl(container, sunken, InputFor(entry));
    const auto index = static_cast<std::size_t>(entry.index);
    if (entry.id == ControlId::FireImage) picture->SetPicture(previews_.at(index));
    if (entry.id == ControlId::FireMarker) fireMarkers_.at(index) = picture;
    if (entry.id == ControlId::MusicMarker) musicMarkers_.at(index) = picture;
    return picture;
}

QWidget* QtSettingsWindow::MakeLabel(const ControlEntry& entry, QWidget* container) {
    const settings_window::Look& look = entry.look;
    std::optional<QColor> fill;
    if (look.fill) fill = ToQColor(*look.fill, palette());
    auto* label = new TextLabel(container, FromView(entry.text), InputFor(entry),
                                look.border == settings_window::Border::Sunken, fill);
    const Qt::Alignment across =
        look.align == settings_window::TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(across | Qt::AlignVCenter);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ToQColor(look.text, pal));
    label->setPalette(pal);
    const settings_window::Rect text = settings_window::TextArea(entry);
    label->setContentsMargins(text.left, text.top, entry.rect.right - entry.rect.left - text.right,
                              entry.rect.bottom - entry.rect.top - text.bottom);
    if (entry.id == ControlId::FileName) fileName_ = label;
    return label;
}

QWidget* QtSettingsWindow::MakeCombo(QWidget* container) {
    combo_ = new QComboBox(container);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    connect(combo_, &QComboBox::editTextChanged, this,
            [this](const QString& t) { core_->RepeatTextEdited(t.toStdString()); });
    return combo_;
}

QWidget* QtSettingsWindow::MakeButton(const ControlEntry& entry, QWidget* container) {
    auto* b = new ZoButtonWidget(container);
    // Sized before the properties are read, so that they lay it out.
    b->setGeometry(ToQRect(entry.rect));
    button::MemoryPropertyBag bag = settings_window::ButtonPropertySet(entry.id);
    b->Control().ReadProperties(bag);
    const ControlInput input = InputFor(entry);
    connect(b, &ZoButtonWidget::mouseDown, this,
            [input](int, int, float, float) { input.pressed(); });
    connect(b, &ZoButtonWidget::clicked, this, [input] { input.clicked(); });
    buttons_.at(static_cast<std::size_t>(settings_window::PushButtonIndex(entry.id))) = b;
    return b;
}

QWidget* QtSettingsWindow::ContainerOf(const ControlEntry& entry) {
    QWidget* holder = settings_window::HolderOf(entry.container, backdrop_, panels_);
    return holder ? holder : this;
}

ControlInput QtSettingsWindow::InputFor(const ControlEntry& entry) {
    const ControlId id = entry.id;
    const int index = entry.index;
    return {[this, id, index] { core_->MouseDown(id, index); },
            [this, id, index] { core_->Click(id, index); }};
}

ZoButtonWidget& QtSettingsWindow::Button(ControlId id) {
    return *buttons_.at(static_cast<std::size_t>(settings_window::PushButtonIndex(id)));
}

QWidget& QtSettingsWindow::Control(ControlId id, int index) {
    for (const auto& [entry, widget] : controls_) {
        if (entry->id == id && entry->index == index) return *widget;
    }
    return *this;
}

void QtSettingsWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    core_->Resized();
}

void QtSettingsWindow::closeEvent(QCloseEvent* e) {
    if (!closing_) core_->CloseBox();
    if (closing_) {
        e->accept();
    } else {
        e->ignore();
    }
}

void QtSettingsWindow::ShowFireMarker(int index, bool on) {
    fireMarkers_.at(static_cast<std::size_t>(index))->SetPicture(on ? markerOn_ : markerOff_);
}

void QtSettingsWindow::ShowMusicMarker(int index, bool on) {
    musicMarkers_.at(static_cast<std::size_t>(index))->SetPicture(on ? markerOn_ : markerOff_);
}

void QtSettingsWindow::EnableRepeatCombo(bool enabled) { combo_->setEnabled(enabled); }

void QtSettingsWindow::EnableFileButton(bool enabled) {
    Button(ControlId::FileButton).Control().SetEnabled(enabled);
}

void QtSettingsWindow::SetRepeatText(const std::string& text) {
    combo_->setEditText(QString::fromStdString(text));
}

void QtSettingsWindow::AddRepeatEntry(const std::string& text) {
    combo_->addItem(QString::fromStdString(text));
}

void QtSettingsWindow::SetFileCaption(const std::string& text) {
    const QFontMetrics metrics = fileName_->fontMetrics();
    const settings_window::Rect area =
        settings_window::TextArea(*settings_window::FindControl(ControlId::FileName));
    fileName_->setText(QString::fromStdString(settings_window::FileCaptionText(
        text, area.right - area.left,
        [&metrics](std::string_view t) { return metrics.horizontalAdvance(FromView(t)); })));
}

void QtSettingsWindow::DrawBackdropLine(int y, int width, settings_window::Rgb c) {
    QImage& image = backdrop_->Image();
    if (y < 0 || y >= image.height()) return;
    const QRgb colour = qRgb(c.r, c.g, c.b);
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x <= width && x < image.width(); ++x) row[x] = colour;
    backdrop_->update();
}

void QtSettingsWindow::BlitTexture(settings_window::Panel panel, settings_window::Point at) {
    RetainedSurface* surface = panels_.at(static_cast<std::size_t>(panel));
    QPainter p(&surface->Image());
    p.drawImage(at.x, at.y, texture_);
    surface->update();
}

settings_window::ScreenMetrics QtSettingsWindow::Screen() {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) throw std::runtime_error("no screen");
    const QSize size = s->geometry().size();
    return {{size.width(), size.height()},
            1440.0 / s->logicalDotsPerInchX(),
            1440.0 / s->logicalDotsPerInchY()};
}

void QtSettingsWindow::SetOuterSize(settings_window::Size pixels) {
    // The window manager draws the frame: the client area keeps the layout's
    // size, and the requested outer size stands for the frame until it is shown.
    requestedOuter_ = pixels;
    setFixedSize(settings_window::kClientSize.width, settings_window::kClientSize.height);
}

void QtSettingsWindow::MoveOuter(settings_window::Point pixels) { move(pixels.x, pixels.y); }

std::optional<settings_window::Rect> QtSettingsWindow::WindowRect() {
    if (isVisible()) return FromQRect(frameGeometry());
    const settings_window::Size outer =
        requestedOuter_.value_or(settings_window::Size{width(), height()});
    return settings_window::Rect{x(), y(), x() + outer.width, y() + outer.height};
}

std::optional<settings_window::Point> QtSettingsWindow::CursorPos() {
    if (!QGuiApplication::primaryScreen()) return std::nullopt;
    const QPoint p = QCursor::pos();
    return settings_window::Point{p.x(), p.y()};
}

void QtSettingsWindow::AnimateZoom(const settings_window::Rect& from,
                                   const settings_window::Rect& to) {
    zoom_.Play(ToQRect(from), ToQRect(to));
}

void QtSettingsWindow::RestoreDefaultPointer() {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    unsetCursor();
}

void QtSettingsWindow::Close() {
    if (closing_) return;
    closing_ = true;
    hide();
    zoom_.WhenDone([this] {
        if (onClosed) onClosed();
    });
}

}  // namespace cindral::platform::qt
