// Drag and drop of the button widget: Qt's drags in and out as the control's
// OLE drag events.

#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/qt/input_codes.h"
#include "platform/qt/zo_button_relay.h"

namespace cindral::platform::qt {

using namespace cindral::button;

namespace {

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

}  // namespace cindral::platform::qt
