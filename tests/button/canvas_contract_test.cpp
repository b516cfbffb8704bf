#include "canvas_contract.h"

#include "fakes.h"

namespace cindral::button::test {
namespace {

// The painter's tests read pixels from this canvas: it keeps the port's
// conventions (text is recorded, not drawn).
TEST(CanvasContract, TheTestCanvasKeepsThePortsConventions) {
    ExpectCanvasContract([](Size size) {
        auto canvas = std::make_unique<RasterCanvas>(size);
        RasterCanvas* raw = canvas.get();
        return CanvasUnderTest{std::move(canvas), [raw](int x, int y) { return raw->At(x, y); },
                               false};
    });
}

}  // namespace
}  // namespace cindral::button::test
