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
#include "settings_window/pictures.h"

namespace cindral::platform::qt {
namespace {

using settings_window::ControlId;
using settings_window::ControlSpec;

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
    for (const ControlSpec& entry : settings_window::Controls()) {
        QWidget* container = ContainerOf(entry);
        QWidget* w = nullptr;
        const QString text = FromView(entry.text);
        switch (entry.id) {
            case ControlId::PicC: {
                w = backdrop_ = new RetainedSurface(
                    this, {settings_window::kClientSize.width, settings_window::kClientSize.height},
                    Qt::black, false);
                // The buttons on the backdrop take the shade around them as
                // their container's colour.
                const settings_window::Rgb shade = settings_window::BackdropShadeBehind(
                    settings_window::FindControl(ControlId::SaveButton)->rect,
                    settings_window::kClientSize.height);
                SetBackgroundColour(*backdrop_, QColor(shade.r, shade.g, shade.b));
                backdrop_->onFirstPaint = [this] {
                    if (onFirstPaint) onFirstPaint();
                };
                break;
            }
            case ControlId::Panel: {
                const settings_window::Size area = settings_window::PanelDrawingArea(
                    static_cast<settings_window::Panel>(entry.index));
                auto* panel = new RetainedSurface(container, {area.width, area.height},
                                                  QColor(128, 128, 128), true);
                const settings_window::Rgb shade = settings_window::kTextureShade;
                SetBackgroundColour(*panel, QColor(shade.r, shade.g, shade.b));
                w = panels_[static_cast<std::size_t>(entry.index)] = panel;
                break;
            }
            case ControlId::TitleFrame:
                w = new FrameShape(container);
                break;
            case ControlId::FireMarker:
                w = fireMarkers_[static_cast<std::size_t>(entry.index)] =
                    new PictureControl(container, false, InputFor(entry));
                break;
            case ControlId::MusicMarker:
                w = musicMarkers_[static_cast<std::size_t>(entry.index)] =
                    new PictureControl(container, false, InputFor(entry));
                break;
            case ControlId::FireImage: {
                auto* preview = new PictureControl(container, true, InputFor(entry));
                preview->SetPicture(previews_[static_cast<std::size_t>(entry.index)]);
                w = preview;
                break;
            }
            case ControlId::RepeatCombo:
                w = combo_ = new QComboBox(container);
                combo_->setEditable(true);
                combo_->setInsertPolicy(QComboBox::NoInsert);
                connect(combo_, &QComboBox::editTextChanged, this,
                        [this](const QString& t) { core_->RepeatTextEdited(t.toStdString()); });
                break;
            case ControlId::FileName:
                w = fileName_ = new TextLabel(container, text, InputFor(entry), true);
                fileName_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                break;
            case ControlId::SaveButton:
            case ControlId::CancelButton:
            case ControlId::FileButton: {
                auto* b = new ZoButtonWidget(container);
                b->setGeometry(ToQRect(entry.rect));
                button::MemoryPropertyBag bag = settings_window::ButtonPropertySet(entry.id);
                b->Control().ReadProperties(bag);
                const ControlId id = entry.id;
                connect(b, &ZoButtonWidget::mouseDown, this,
                        [this, id](int, int, float, float) { core_->MouseDown(id); });
                connect(b, &ZoButtonWidget::clicked, this, [this, id] { core_->Click(id); });
                buttons_[static_cast<std::size_t>(settings_window::PushButtonIndex(entry.id))] = b;
                w = b;
                break;
            }
            case ControlId::Title:
            case ControlId::RandomLabel:
            case ControlId::MusicLabel:
            case ControlId::RepeatLabel:
            case ControlId::Credit: {
                auto* label = new TextLabel(container, text, InputFor(entry));
                if (entry.id == ControlId::Title) label->setAlignment(Qt::AlignCenter);
                if (entry.id == ControlId::Credit) {
                    QPalette pal = label->palette();
                    pal.setColor(QPalette::WindowText, Qt::white);
                    label->setPalette(pal);
                }
                w = label;
                break;
            }
        }
        if (!w) continue;
        // Inside a panel, positions count from within its border.
        const int inset = container == panels_[0] || container == panels_[1] ? 1 : 0;
        QRect at = ToQRect(entry.rect).translated(inset, inset);
        // The substitute face runs a few pixels wider than the named one: a
        // borderless label grows to the right rather than clip its text.
        if (auto* label = dynamic_cast<TextLabel*>(w); label && !label->HasBorder()) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
            if (label->alignment() & Qt::AlignLeft) at.setWidth(std::max(at.width(), needed));
        }
        w->setGeometry(at);
        controls_.emplace_back(&entry, w);
    }
}

QWidget* QtSettingsWindow::ContainerOf(const ControlSpec& entry) {
    switch (entry.container) {
        case settings_window::Container::PicC:
            return backdrop_;
        case settings_window::Container::FirePanel:
            return panels_[0];
        case settings_window::Container::MusicPanel:
            return panels_[1];
        case settings_window::Container::Window:
            break;
    }
    return this;
}

ControlInput QtSettingsWindow::InputFor(const ControlSpec& entry) {
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
    fileName_->setText(QString::fromStdString(text));
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
