// Draws the push-button control in every style, shape and state into one PNG.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/qt/zo_button_widget.h"
#include "sheet_layout.h"

using namespace cindral::button;
using cindral::platform::qt::ZoButtonWidget;
using namespace cindral::tools::gallery;

namespace {

const char* const kStateNames[kStates] = {"normal", "focused", "hover", "pressed", "disabled"};
const char* const kVariantNames[kVariants] = {"plain", "picture", "gradient",
                                              "picture and gradient"};
const char* const kShapeNames[kShapes] = {"rectangle", "left diag",       "right diag", "both diag",
                                          "oval",      "oval flat press", "oval ring"};

// A 16 x 16 bitmap: a red disc with a dark rim on white (the transparent colour).
PicturePtr DiscPicture() {
    auto pic = std::make_shared<Picture>();
    pic->width = pic->height = 16;
    pic->pixels.resize(256);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const double dx = x - 7.5, dy = y - 7.5, d2 = dx * dx + dy * dy;
            std::uint32_t c = 0xFFFFFFFF;
            if (d2 <= 49) c = d2 >= 36 ? 0xFF602020 : 0xFFE03030;
            pic->pixels[static_cast<size_t>(y) * 16 + x] = c;
        }
    }
    return pic;
}

QImage RenderButton(QWidget& container, int style, int shape, int state, int variant,
                    const PicturePtr& picture) {
    // On a container of the sheet's colour, which the oval rings take.
    ZoButtonWidget w(&container);
    w.resize(kButtonW, kButtonH);
    zoButtons_H& b = w.Control();
    b.DelayDrawing(true);
    b.OnResize();  // a hidden widget: deliver the host's first resize here
    b.SetCaption("&Button");
    b.SetButtonStyle(style);
    b.SetButtonShape(shape);
    if (variant == WithPicture || variant == WithPictureAndGradient) b.SetPicture(picture);
    if (variant >= WithGradient) {
        b.SetGradientColor(Rgb(40, 90, 200));
        b.SetGradientMode(GradientLeftToRight);
    }
    b.DelayDrawing(false);
    switch (state) {
        case Focused:
            b.OnGotFocus();
            break;
        case Hover:
            b.OnMouseMove(0, 0, 5, 5);
            break;
        case Pressed:
            b.OnMouseMove(0, 0, 5, 5);
            b.OnMouseDown(1, 0, 5, 5);
            break;
        case Disabled:
            b.SetEnabled(false);
            break;
        default:
            break;
    }
    const QImage surface = w.SurfaceImage();
    // Only what the window's shape lets through is seen.
    const Size sz{w.width(), w.height()};
    QImage out(sz.width, sz.height, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int y = 0; y < sz.height; ++y)
        for (int x = 0; x < sz.width; ++x)
            if (b.WindowRegion().Contains(x, y)) out.setPixel(x, y, surface.pixel(x, y));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            outPath = argv[++i];
        } else {
            std::fprintf(stderr, "usage: cindral-button-gallery --out FILE.png\n");
            return 2;
        }
    }
    if (outPath.empty()) {
        std::fprintf(stderr, "usage: cindral-button-gallery --out FILE.png\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    QImage sheet(kSheetW, kSheetH, QImage::Format_RGB32);
    const QColor sheetColour = QApplication::palette().color(QPalette::Button);
    sheet.fill(sheetColour);
    const PicturePtr picture = DiscPicture();
    QWidget container;
    QPalette pal = container.palette();
    pal.setColor(QPalette::Window, sheetColour);
    container.setPalette(pal);

    QPainter p(&sheet);
    p.setPen(Qt::black);
    for (int v = 0; v < kVariants; ++v) {
        const int x0 = Cell(0, 0, v, 0).x;
        p.drawText(QRect(x0, 2, kStates * kCellW, 16), Qt::AlignCenter, kVariantNames[v]);
        p.drawLine(x0, 0, x0, sheet.height());
        for (int s = 0; s < kStates; ++s) {
            p.drawText(QRect(Cell(0, 0, v, s).x, 20, kCellW, 16), Qt::AlignCenter, kStateNames[s]);
        }
    }
    for (int style = 0; style < kStyles; ++style) {
        for (int shape = 0; shape < kShapes; ++shape) {
            const int y0 = Cell(style, shape, 0, 0).y;
            p.drawText(QRect(4, y0, kLabelW - 8, kCellH), Qt::AlignVCenter | Qt::AlignLeft,
                       QStringLiteral("style %1, %2").arg(style).arg(kShapeNames[shape]));
            for (int v = 0; v < kVariants; ++v) {
                for (int s = 0; s < kStates; ++s) {
                    const QImage img = RenderButton(container, style, shape, s, v, picture);
                    const CellBox cell = Cell(style, shape, v, s);
                    p.drawImage(cell.x + (kCellW - img.width()) / 2,
                                cell.y + (kCellH - img.height()) / 2, img);
                }
            }
        }
        const int y0 = Cell(style, 0, 0, 0).y;
        p.drawLine(0, y0, sheet.width(), y0);
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(outPath.c_str()), "PNG")) {
        std::fprintf(stderr, "cindral-button-gallery: cannot write %s\n", outPath.c_str());
        return 1;
    }
    return 0;
}
