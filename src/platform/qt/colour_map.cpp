#include "platform/qt/colour_map.h"

namespace cindral::platform::qt {

using namespace cindral::button;

Color FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

Color PaletteColour(const QPalette& pal, SystemColor name) {
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

}  // namespace cindral::platform::qt
