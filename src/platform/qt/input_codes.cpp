#include "platform/qt/input_codes.h"

namespace cindral::platform::qt {

std::int16_t ButtonCode(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

std::int16_t ButtonMask(Qt::MouseButtons b) {
    return static_cast<std::int16_t>(((b & Qt::LeftButton) ? 1 : 0) |
                                     ((b & Qt::RightButton) ? 2 : 0) |
                                     ((b & Qt::MiddleButton) ? 4 : 0));
}

std::int16_t ShiftMask(Qt::KeyboardModifiers m) {
    return static_cast<std::int16_t>(((m & Qt::ShiftModifier) ? 1 : 0) |
                                     ((m & Qt::ControlModifier) ? 2 : 0) |
                                     ((m & Qt::AltModifier) ? 4 : 0));
}

std::int16_t KeyCode(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(112 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Space:
            return 32;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_End:
            return 35;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        default:
            return 0;
    }
}

bool OwnKey(std::int16_t code) { return code == 32 || (code >= 37 && code <= 40); }

}  // namespace cindral::platform::qt
