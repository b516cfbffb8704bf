#pragma once
// The hover timer's callback, which finds the control through its window.

class QWidget;

namespace cindral::platform::qt {

// The hover timer's callback: it gets only the button's window and finds the
// control through the window's "zo_ClassID" and "zo_TimerID" properties.
void HoverTimerProc(QWidget* window);

// Stores those two properties on the window.
void SetHoverTimerProperties(QWidget* window, const void* control, int timerId);

}  // namespace cindral::platform::qt
