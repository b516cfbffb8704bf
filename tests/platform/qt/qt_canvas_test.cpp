#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include "button/canvas_contract.h"
#include "qt_app.h"

namespace cindral::platform::qt::test {
using namespace cindral::button;
using cindral::button::test::CanvasUnderTest;
namespace {

TEST(QtCanvas, KeepsTheCanvasPortsConventions) {
    App();
    cindral::button::test::ExpectCanvasContract([](Size size) {
        auto canvas = std::make_unique<QtCanvas>(QSize(size.width, size.height));
        QtCanvas* raw = canvas.get();
        return CanvasUnderTest{std::move(canvas),
                               [raw](int x, int y) {
                                   const QRgb c = raw->Image().pixel(x, y);
                                   return Rgb(qRed(c), qGreen(c), qBlue(c));
                               },
                               true};
    });
}

}  // namespace
}  // namespace cindral::platform::qt::test
