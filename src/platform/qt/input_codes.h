#pragma once
// Qt's mouse buttons, modifiers and keys as the button control's handlers
// take them: the window system's button and shift masks and virtual-key codes.

#include <QtCore/qnamespace.h>

#include <cstdint>

namespace cindral::platform::qt {

// 1 left, 2 right, 4 middle; 0 for any other button.
std::int16_t ButtonCode(Qt::MouseButton b);
// The buttons held, as a mask of the same codes.
std::int16_t ButtonMask(Qt::MouseButtons b);
// 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftMask(Qt::KeyboardModifiers m);
// Qt key to the window system's virtual-key code the control's handlers use;
// 0 for a key without one.
std::int16_t KeyCode(int key);
// Space presses the button and the arrows move the focus: the button keeps
// these keys, and the others go on to its container.
bool OwnKey(std::int16_t code);

}  // namespace cindral::platform::qt
