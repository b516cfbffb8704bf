#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QTest>

#include "platform/qt/zo_button_widget.h"
#include "qt_app.h"

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kGrey = 0x808080, kLight = 0xE9E9E9;

// A run-time button of the settings window's size with a plain face.
struct Button {
    struct Started {
        Started() { App(); }
    } started;
    ZoButtonWidget w;
    Button() {
        w.resize(89, 33);
        // A hidden widget gets its resize event only when shown; deliver it
        // as a host placing the control would.
        w.Control().OnResize();
        w.Control().SetBackColor(Rgb(200, 200, 200));
    }
    QImage Img() const { return w.SurfaceImage(); }
};

TEST(QtPainter, Style0NormalIsARaisedBevel) {
    Button b;
    const QImage img = b.Img();
    ASSERT_EQ(img.size(), QSize(89, 33));
    EXPECT_EQ(At(img, 0, 10), kWhite);
    EXPECT_EQ(At(img, 10, 0), kWhite);
    EXPECT_EQ(At(img, 1, 10), kLight);
    EXPECT_EQ(At(img, 10, 1), kLight);
    EXPECT_EQ(At(img, 87, 10), kGrey);
    EXPECT_EQ(At(img, 10, 31), kGrey);
    EXPECT_EQ(At(img, 88, 10), kBlack);
    EXPECT_EQ(At(img, 10, 32), kBlack);
    EXPECT_EQ(At(img, 44, 3), 0xC8C8C8u);
}

TEST(QtPainter, Style0FocusedFrameAndDottedFocusRectangle) {
    Button b;
    b.w.Control().OnGotFocus();
    const QImage img = b.Img();
    EXPECT_EQ(At(img, 0, 10), kBlack);
    EXPECT_EQ(At(img, 87, 10), kBlack);
    EXPECT_EQ(At(img, 1, 10), kWhite);
    // Inverted face (55, 55, 55) on every other pixel, 4 pixels inside.
    EXPECT_EQ(At(img, 4, 4), 0x373737u);
    EXPECT_EQ(At(img, 5, 4), 0xC8C8C8u);
    EXPECT_EQ(At(img, 6, 4), 0x373737u);
    EXPECT_EQ(At(img, 84, 28), 0x373737u);
    EXPECT_EQ(At(img, 3, 3), 0xC8C8C8u);
}

TEST(QtPainter, Style0PressedIsAFlatGreyBevel) {
    Button b;
    b.w.Control().OnMouseMove(0, 0, 5, 5);
    b.w.Control().OnMouseDown(1, 0, 5, 5);
    const QImage img = b.Img();
    EXPECT_EQ(At(img, 1, 10), kGrey);
    EXPECT_EQ(At(img, 87, 10), kGrey);
    EXPECT_EQ(At(img, 2, 10), 0xC8C8C8u);
    EXPECT_EQ(At(img, 88, 10), kBlack);
}

TEST(QtPainter, Style2HoverEdgesAndStyle5BevelOnlyOnHover) {
    Button b;
    b.w.Control().SetButtonStyle(2);
    b.w.Control().OnMouseMove(0, 0, 5, 5);
    QImage img = b.Img();
    EXPECT_EQ(At(img, 2, 10), 0xFFCB6Bu);
    EXPECT_EQ(At(img, 10, 2), 0xFFDB8Cu);
    EXPECT_EQ(At(img, 10, 30), 0xFFB231u);

    Button five;
    five.w.Control().SetButtonStyle(5);
    img = five.Img();
    EXPECT_EQ(At(img, 0, 10), 0xC8C8C8u);
    EXPECT_EQ(At(img, 88, 10), 0xC8C8C8u);
    five.w.Control().OnMouseMove(0, 0, 5, 5);
    img = five.Img();
    EXPECT_EQ(At(img, 0, 10), kWhite);
    EXPECT_EQ(At(img, 88, 10), kGrey);
}

TEST(QtPainter, GradientRightToLeftStartsWithTheGradientColour) {
    Button b;
    b.w.Control().SetButtonStyle(4);
    b.w.Control().SetBackColor(Rgb(0, 88, 0));
    b.w.Control().SetGradientColor(Rgb(88, 0, 176));
    b.w.Control().SetGradientMode(GradientRightToLeft);
    const QImage img = b.Img();
    // Gradient colour (88, 0, 176) at the left, face (0, 88, 0) at the right,
    // in 89 bands of one pixel: columns 1 and 87 hold entries 87 and 1.
    EXPECT_EQ(At(img, 1, 16), qRgb(87, 1, 174) & 0xFFFFFF);
    EXPECT_EQ(At(img, 87, 16), qRgb(1, 87, 2) & 0xFFFFFF);
}

TEST(QtPainter, DisabledCaptionInTwoGreys) {
    Button b;
    b.w.Control().SetCaption("Disabled");
    b.w.Control().SetEnabled(false);
    const QImage img = b.Img();
    const Rect cap = b.w.Control().CaptionRect();
    int grey = 0, white = 0, other = 0;
    for (int y = cap.top; y < cap.bottom + 1; ++y) {
        for (int x = cap.left; x < cap.right + 1; ++x) {
            const QRgb c = At(img, x, y);
            if (c == kGrey)
                ++grey;
            else if (c == kWhite)
                ++white;
            else if (c != 0xC8C8C8u)
                ++other;
        }
    }
    EXPECT_GT(grey, 20);
    EXPECT_GT(white, 5);
    EXPECT_EQ(other, 0);
}

TEST(QtPainter, DisabledPictureIsEmbossed) {
    Button b;
    auto pic = std::make_shared<Picture>();
    pic->width = pic->height = 16;
    pic->pixels.assign(256, 0xFF0000FF);
    pic->pixels[0] = 0xFFFFFFFF;
    b.w.Control().SetCaption("");
    b.w.Control().SetPicture(pic);
    const Rect r = b.w.Control().PictureRect();
    EXPECT_EQ(At(b.Img(), r.left + 5, r.top + 5), 0x0000FFu);
    b.w.Control().SetEnabled(false);
    EXPECT_EQ(At(b.Img(), r.left + 5, r.top + 5), 0x9C9C9Cu);
    EXPECT_EQ(At(b.Img(), r.left, r.top), 0xE4E4E4u);
}

TEST(QtPainter, ShapeBecomesTheWidgetMask) {
    Button b;
    b.w.Control().SetButtonShape(ShapeOval);
    const QRegion mask = b.w.mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_TRUE(mask.contains(QPoint(44, 16)));
    b.w.Control().SetButtonShape(ShapeRectangle);
    b.w.Control().SetButtonStyle(2);
    EXPECT_FALSE(b.w.mask().contains(QPoint(1, 0)));
    EXPECT_TRUE(b.w.mask().contains(QPoint(2, 0)));
}

TEST(QtPainter, JapaneseFaceMapsToIpaPGothic) {
    Button b;
    b.w.Control().SetFont(Font{"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, 128});
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("IPAPGothic"));
    b.w.Control().SetCaption("設定   ");
    // The caption's glyphs are drawn in the fore colour (black).
    const Rect cap = b.w.Control().CaptionRect();
    int black = 0;
    const QImage img = b.Img();
    for (int y = cap.top; y < cap.bottom; ++y)
        for (int x = cap.left; x < cap.right; ++x) black += At(img, x, y) == kBlack;
    EXPECT_GT(black, 20);
    EXPECT_EQ(b.w.Control().CaptionFont().height, -13);
}

TEST(QtPainter, PresentCopiesTheSurfaceToTheWindow) {
    Button b;
    b.w.Control().SetCaption("OK");
    b.w.show();
    const QImage shown = b.w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage surface = b.Img();
    ASSERT_EQ(shown.size(), surface.size());
    EXPECT_EQ(At(shown, 0, 10), kWhite);
    EXPECT_EQ(At(shown, 88, 10), kBlack);
    int differing = 0;
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 89; ++x) differing += At(shown, x, y) != At(surface, x, y);
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace cindral::platform::qt::test

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

QPalette WithWindowColour(QColor c) {
    QPalette pal;
    pal.setColor(QPalette::Window, c);
    return pal;
}

// An oval's ring is a gradient from the container's colour shaded +172 (top
// row) to it shaded -32, in 33 one-pixel bands on a 33-pixel-high button.
TEST(QtPainter, OvalRingFollowsTheParentsBackgroundColour) {
    App();
    QWidget parent;
    parent.setPalette(WithWindowColour(QColor(0, 0, 30)));
    parent.resize(200, 60);
    auto* b = new ZoButtonWidget(&parent);
    b->setGeometry(10, 10, 89, 33);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    b->Control().SetButtonShape(ShapeOval);
    // (0,0,30) + 172 = (172,172,202); - 32 = (0,0,0). Steps per band:
    // -172/32 and -202/32 rounded, -5 and -6: band 32 is (12, 12, 10).
    EXPECT_EQ(At(b->SurfaceImage(), 44, 0), qRgb(172, 172, 202) & 0xFFFFFF);
    EXPECT_EQ(At(b->SurfaceImage(), 44, 32), qRgb(12, 12, 10) & 0xFFFFFF);

    // The container changes colour: (60,0,0) + 172 = (232,172,172).
    parent.setPalette(WithWindowColour(QColor(60, 0, 0)));
    EXPECT_EQ(At(b->SurfaceImage(), 44, 0), qRgb(232, 172, 172) & 0xFFFFFF);

    // Moved onto another container, it takes that one's colour:
    // (0,40,0) + 172 = (172,212,172).
    QWidget other;
    other.setPalette(WithWindowColour(QColor(0, 40, 0)));
    other.resize(200, 60);
    b->setParent(&other);
    EXPECT_EQ(At(b->SurfaceImage(), 44, 0), qRgb(172, 212, 172) & 0xFFFFFF);
}

// 8.25 points on a 96-dpi screen (15 twips per pixel): 11 pixels.
TEST(QtPainter, AFreshButtonDrawsItsCaptionInTheWindowsFont) {
    Button b;
    b.w.Control().SetCaption("Button");
    const FontDescription f = b.w.Control().CaptionFont();
    EXPECT_EQ(f.face, "MS Sans Serif");
    EXPECT_EQ(f.height, -11);
    // Black glyph pixels inside the caption rectangle, none outside it.
    const Rect cap = b.w.Control().CaptionRect();
    const QImage img = b.Img();
    int inside = 0, outside = 0;
    for (int y = 3; y < 30; ++y)
        for (int x = 3; x < 86; ++x) {
            const bool in = x >= cap.left && x < cap.right && y >= cap.top && y < cap.bottom;
            (in ? inside : outside) += At(img, x, y) == kBlack;
        }
    EXPECT_GT(inside, 30);
    EXPECT_EQ(outside, 0);
    EXPECT_GE(cap.Height(), 11);
}

TEST(QtPainter, ShapeChangesRepaintTheWholeSurface) {
    App();
    QWidget parent;
    parent.resize(200, 60);
    auto* b = new ZoButtonWidget(&parent);
    b->setGeometry(10, 10, 89, 33);
    b->setFocusPolicy(Qt::NoFocus);  // the normal look, not the focused one
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    zoButtons_H& c = b->Control();
    c.SetBackColor(Rgb(200, 200, 200));

    // An oval and back: no clip to the ellipse is left behind.
    c.SetButtonShape(ShapeOval);
    c.SetButtonShape(ShapeRectangle);
    QImage img = b->SurfaceImage();
    EXPECT_EQ(At(img, 0, 0), kWhite);
    EXPECT_EQ(At(img, 1, 1), kLight);
    EXPECT_EQ(At(img, 87, 31), kGrey);
    EXPECT_EQ(At(img, 88, 32), kBlack);

    // A shown diagonal button too narrow for its slant widens itself, and
    // its surface with it: 30 -> 35 -> 40 for a slant offset of 34.
    b->resize(30, 33);
    c.SetButtonShape(ShapeLeftDiagonal);
    ASSERT_EQ(b->width(), 40);
    img = b->SurfaceImage();
    EXPECT_EQ(img.size(), QSize(40, 33));
    EXPECT_EQ(At(img, 39, 10), kBlack);  // the outer ring's right edge
}

}  // namespace
}  // namespace cindral::platform::qt::test
