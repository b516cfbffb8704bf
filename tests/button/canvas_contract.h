#pragma once
// The conventions every Canvas keeps, as one check any implementation runs:
// the painter's pixel tests hold on a platform canvas only if these do.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "button/ports.h"

namespace cindral::button::test {

struct CanvasUnderTest {
    std::unique_ptr<Canvas> canvas;
    std::function<Color(int x, int y)> pixel;
    bool rastersText = true;  // false for a canvas that only records text
};

// Runs every convention on fresh 64 x 40 canvases from `make`.
inline void ExpectCanvasContract(const std::function<CanvasUnderTest(Size)>& make) {
    constexpr Color white = Rgb(255, 255, 255), red = Rgb(255, 0, 0), black = 0;
    auto fresh = [&] {
        CanvasUnderTest t = make({64, 40});
        EXPECT_EQ(t.canvas->GetSize(), (Size{64, 40}));
        t.canvas->FillRect({0, 0, 64, 40}, white);
        return t;
    };

    {  // Rectangles: right and bottom are exclusive.
        auto t = fresh();
        t.canvas->FillRect({2, 3, 5, 6}, red);
        EXPECT_EQ(t.pixel(2, 3), red);
        EXPECT_EQ(t.pixel(4, 5), red);
        EXPECT_EQ(t.pixel(5, 5), white);
        EXPECT_EQ(t.pixel(4, 6), white);
        EXPECT_EQ(t.pixel(1, 3), white);
    }
    {  // Polylines leave out their final point only; dots start with the first pixel.
        auto t = fresh();
        t.canvas->Polyline({{1, 1}, {5, 1}, {5, 4}}, red, 1, PenStyle::Solid);
        for (const Point p : {Point{1, 1}, Point{4, 1}, Point{5, 1}, Point{5, 3}})
            EXPECT_EQ(t.pixel(p.x, p.y), red) << p.x << "," << p.y;
        EXPECT_EQ(t.pixel(5, 4), white);
        t.canvas->Polyline({{0, 8}, {9, 8}}, red, 1, PenStyle::Dot);
        for (int x = 0; x <= 9; ++x)
            EXPECT_EQ(t.pixel(x, 8), x % 2 == 0 && x < 9 ? red : white) << x;
    }
    {  // An ellipse's outline lies inside its box and touches each side's middle.
        auto t = fresh();
        t.canvas->Ellipse({10, 10, 31, 21}, black, 1);  // centre (20, 15)
        EXPECT_EQ(t.pixel(10, 15), black);
        EXPECT_EQ(t.pixel(30, 15), black);
        EXPECT_EQ(t.pixel(20, 10), black);
        EXPECT_EQ(t.pixel(20, 20), black);
        EXPECT_EQ(t.pixel(9, 15), white);
        EXPECT_EQ(t.pixel(31, 15), white);
        EXPECT_EQ(t.pixel(20, 9), white);
        EXPECT_EQ(t.pixel(20, 21), white);
        EXPECT_EQ(t.pixel(20, 15), white);  // no fill
        EXPECT_EQ(t.pixel(11, 11), white);  // corners stay outside
    }
    {  // The elliptic clip holds for fills, lines and focus rectangles until cleared.
        auto t = fresh();
        t.canvas->SetClipEllipse({40, 0, 61, 21});
        t.canvas->FillRect({40, 0, 61, 21}, red);
        EXPECT_EQ(t.pixel(50, 10), red);
        EXPECT_EQ(t.pixel(40, 0), white);
        t.canvas->Polyline({{40, 20}, {61, 20}}, black, 1, PenStyle::Solid);
        EXPECT_EQ(t.pixel(41, 20), white);
        t.canvas->DrawFocusRect({40, 0, 61, 21});
        EXPECT_EQ(t.pixel(40, 0), white);
        t.canvas->ClearClip();
        t.canvas->FillRect({40, 0, 42, 2}, black);
        EXPECT_EQ(t.pixel(40, 0), black);
    }
    {  // A focus rectangle inverts every other outline pixel; a second one erases it.
        auto t = fresh();
        t.canvas->DrawFocusRect({0, 20, 10, 30});
        EXPECT_EQ(t.pixel(0, 20), black);
        EXPECT_EQ(t.pixel(1, 20), white);
        EXPECT_EQ(t.pixel(2, 20), black);
        EXPECT_EQ(t.pixel(9, 29), black);
        EXPECT_EQ(t.pixel(0, 22), black);
        EXPECT_EQ(t.pixel(4, 24), white);  // inside
        t.canvas->DrawFocusRect({0, 20, 10, 30});
        EXPECT_EQ(t.pixel(0, 20), white);
        EXPECT_EQ(t.pixel(2, 20), white);
    }
    {  // Pictures: a bitmap leaves its top-left pixel's colour out; masks paint their on pixels.
        auto t = fresh();
        Picture bmp{2, 2, false, {0xFF00FF00, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000}};
        t.canvas->DrawPicture({20, 30}, bmp);
        EXPECT_EQ(t.pixel(20, 30), white);
        EXPECT_EQ(t.pixel(21, 30), Rgb(0, 0, 255));
        EXPECT_EQ(t.pixel(21, 31), Rgb(255, 0, 0));
        Mask m{2, 1, {true, false}};
        t.canvas->FillMask({30, 30}, m, red);
        EXPECT_EQ(t.pixel(30, 30), red);
        EXPECT_EQ(t.pixel(31, 30), white);
    }
    {  // Text: "&" marks the access key and "&&" shows one "&"; "\r\n" breaks lines.
        auto t = fresh();
        t.canvas->SetFont(FontDescription{"MS Sans Serif", -11, 400});
        const Size plain = t.canvas->MeasureText("AB", 60);
        EXPECT_GT(plain.width, 0);
        EXPECT_EQ(t.canvas->MeasureText("&AB", 60), plain);
        EXPECT_GT(t.canvas->MeasureText("A&&B", 60).width, plain.width);
        EXPECT_GT(t.canvas->MeasureText("A\r\nB", 60).height, plain.height);
        if (t.rastersText) {
            t.canvas->DrawText({2, 2, 40, 18}, "Hi", black, TextAlign::Left);
            int inside = 0, outside = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 64; ++x) {
                    const bool in = x >= 2 && x < 40 && y >= 2 && y < 18;
                    (in ? inside : outside) += t.pixel(x, y) == black;
                }
            EXPECT_GT(inside, 5);
            EXPECT_EQ(outside, 0);
        }
    }
}

}  // namespace cindral::button::test
