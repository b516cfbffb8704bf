// Where the gallery puts each button on its sheet.
#pragma once

namespace cindral::tools::gallery {

constexpr int kStyles = 8, kShapes = 7, kStates = 5, kVariants = 4;
// States in column order within a variant; variants in column order.
enum State { Normal, Focused, Hover, Pressed, Disabled };
enum Variant { Plain, WithPicture, WithGradient, WithPictureAndGradient };

constexpr int kButtonW = 90, kButtonH = 34;
constexpr int kCellW = 100, kCellH = 42;
constexpr int kLabelW = 150, kHeaderH = 40;
constexpr int kSheetW = kLabelW + kStates * kVariants * kCellW;
constexpr int kSheetH = kHeaderH + kStyles * kShapes * kCellH;

struct CellBox {
    int x, y, width, height;
};

// One row per style and shape, one column per variant and state.
constexpr CellBox Cell(int style, int shape, int variant, int state) {
    return {kLabelW + (variant * kStates + state) * kCellW,
            kHeaderH + (style * kShapes + shape) * kCellH, kCellW, kCellH};
}

// The button's own square in its cell (it is centred there).
constexpr CellBox ButtonIn(const CellBox& cell) {
    return {cell.x + (kCellW - kButtonW) / 2, cell.y + (kCellH - kButtonH) / 2, kButtonW, kButtonH};
}

}  // namespace cindral::tools::gallery
