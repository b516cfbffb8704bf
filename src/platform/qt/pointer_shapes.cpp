#include "platform/qt/pointer_shapes.h"

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace cindral::platform::qt {

using namespace cindral::button;

namespace {

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

}  // namespace

void ApplyPointer(QWidget& widget, int pointer, const PicturePtr& icon) {
    switch (pointer) {
        case 0:
            widget.unsetCursor();
            break;
        case 1:
            widget.setCursor(Qt::ArrowCursor);
            break;
        case 2:
            widget.setCursor(Qt::CrossCursor);
            break;
        case 3:
            widget.setCursor(Qt::IBeamCursor);
            break;
        case 4:
            widget.setCursor(IconPointer());
            break;
        case 5:
        case 15:
            widget.setCursor(Qt::SizeAllCursor);
            break;
        case 6:
            widget.setCursor(Qt::SizeBDiagCursor);
            break;
        case 7:
            widget.setCursor(Qt::SizeVerCursor);
            break;
        case 8:
            widget.setCursor(Qt::SizeFDiagCursor);
            break;
        case 9:
            widget.setCursor(Qt::SizeHorCursor);
            break;
        case 10:
            widget.setCursor(Qt::UpArrowCursor);
            break;
        case 11:
            widget.setCursor(Qt::WaitCursor);
            break;
        case 12:
            widget.setCursor(Qt::ForbiddenCursor);
            break;
        case 13:
            widget.setCursor(Qt::BusyCursor);
            break;
        case 14:
            widget.setCursor(Qt::WhatsThisCursor);
            break;
        case 99:
            if (icon && IsUsable(*icon)) {
                QImage img(reinterpret_cast<const uchar*>(icon->pixels.data()), icon->width,
                           icon->height, QImage::Format_ARGB32);
                widget.setCursor(QCursor(QPixmap::fromImage(img.copy())));
            }
            break;
        default:
            break;
    }
}

}  // namespace cindral::platform::qt
