#include "button/zo_button.h"

namespace cindral::button {

void zoButtons_H::MouseDownHandling(std::int16_t button, std::int16_t shift, float x, float y) {
    lastButton_ = button;
    if (button == 1) {
        buttonState_ |= StatePressed;
        delay_ = false;
        Refresh();
        window_.CaptureMouse();
    }
    events_.MouseDown(button, shift, x, y);
}

void zoButtons_H::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    MouseDownHandling(button, shift, x, y);
}

void zoButtons_H::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    if (button == 1) {
        window_.ReleaseMouse();
        buttonState_ &= ~StatePressed;
        delay_ = false;
        Refresh();
    }
    // The owner may change the button it is handed; the changed one is kept.
    events_.MouseUp(button, shift, x, y);
    lastButton_ = button;
}

void zoButtons_H::ClickHandling() {
    if (lastButton_ == 1) events_.Click();
}

void zoButtons_H::OnClick() { ClickHandling(); }

void zoButtons_H::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    const Size sz = window_.ClientSize();
    const bool outside = x < 0 || y < 0 || x > sz.width || y > sz.height;
    if (hoverTracking_ || outside) {
        events_.MouseMove(button, shift, x, y);
        return;
    }
    buttonState_ |= StateMouseOver;
    bool on = true;
    events_.MouseOnButton(on);
    timer_.Start(kHoverTimerId, kHoverTimerPeriodMs);
    hoverTracking_ = true;
    delay_ = false;
    Refresh();
    events_.MouseMove(button, shift, x, y);
}

void zoButtons_H::HoverCheck(int timerId) {
    if (timer_.CursorOverButton()) return;
    timer_.Stop(timerId);
    buttonState_ &= ~StateMouseOver;
    hoverTracking_ = false;
    delay_ = false;
    bool on = false;
    events_.MouseOnButton(on);
    Refresh();
}

void zoButtons_H::OnDoubleClick() {
    const Point at = window_.CursorClientPos();
    events_.DoubleClick(lastButton_);
    if (lastButton_ == 1) {
        buttonState_ |= StateFocused;
        MouseDownHandling(1, 0, static_cast<float>(at.x), static_cast<float>(at.y));
        lastButton_ = -1;
    } else {
        std::int16_t b = 1, shift = 0;
        float x = static_cast<float>(at.x), y = static_cast<float>(at.y);
        events_.MouseDown(b, shift, x, y);
    }
}

void zoButtons_H::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
    switch (keyCode) {
        case 16:
            keyCode = 0;
            break;
        case 32:
            if (!(buttonState_ & StatePressed)) {
                buttonState_ |= StatePressed | StateMouseOver;
                Refresh();
                if (!hoverTracking_) buttonState_ &= ~StateMouseOver;
            }
            break;
        case 37:
        case 38:
            keyCode = 0;
            window_.MoveFocus(false);
            break;
        case 39:
        case 40:
            keyCode = 0;
            window_.MoveFocus(true);
            break;
        default:
            break;
    }
    if (keyCode != 0) events_.KeyDown(keyCode, shift);
}

void zoButtons_H::OnKeyUp(std::int16_t keyCode, std::int16_t shift) {
    switch (keyCode) {
        case 16:
        case 37:
        case 38:
        case 39:
        case 40:
            keyCode = 0;
            break;
        case 32:
            if (buttonState_ & StatePressed) {
                buttonState_ &= ~StatePressed;
                lastButton_ = 1;
                Refresh();
                ClickHandling();
            }
            break;
        default:
            break;
    }
    if (keyCode != 0) events_.KeyUp(keyCode, shift);
}

void zoButtons_H::OnKeyPress(std::int16_t keyAscii) { events_.KeyPress(keyAscii); }

void zoButtons_H::OnAccessKey() {
    if (buttonState_ == 0) {
        buttonState_ = StatePressed | StateMouseOver;
        window_.TakeFocus();
        Refresh();
        window_.Wait(100);
        if (!hoverTracking_) buttonState_ &= ~StateMouseOver;
    }
    if (buttonState_ & StatePressed) {
        window_.Wait(100);
        buttonState_ &= ~StatePressed;
        Refresh();
    }
    lastButton_ = 1;
    ClickHandling();
}

void zoButtons_H::OnGotFocus() {
    buttonState_ |= StateFocused;
    Refresh();
}

void zoButtons_H::OnLostFocus() {
    buttonState_ = 0;
    Refresh();
}

void zoButtons_H::OnPaint() {
    if (buttonState_ != 0) {
        if (buttonState_ & StateFocused) {
            buttonState_ &= ~StatePressed;
        } else {
            buttonState_ = 0;
        }
        Refresh();
    } else {
        delay_ = false;
        Repaint(false);
    }
}

}  // namespace cindral::button
