#pragma once
// Inside the button widget: the control's events on their way out.

#include "platform/qt/zo_button_widget.h"

namespace cindral::platform::qt {

// Raises each event to the listener (which may change the arguments) and
// then as a Qt signal.
class ZoButtonWidget::Relay : public button::ButtonEvents {
  public:
    explicit Relay(ZoButtonWidget& w) : w_(w) {}
    void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        if (w_.listener_) w_.listener_->MouseDown(b, s, x, y);
        emit w_.mouseDown(b, s, x, y);
    }
    void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        if (w_.listener_) w_.listener_->MouseUp(b, s, x, y);
        emit w_.mouseUp(b, s, x, y);
    }
    void MouseMove(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        if (w_.listener_) w_.listener_->MouseMove(b, s, x, y);
        emit w_.mouseMove(b, s, x, y);
    }
    void KeyDown(std::int16_t& k, std::int16_t& s) override {
        if (w_.listener_) w_.listener_->KeyDown(k, s);
        emit w_.keyDown(k, s);
    }
    void KeyPress(std::int16_t& k) override {
        if (w_.listener_) w_.listener_->KeyPress(k);
        emit w_.keyPress(k);
    }
    void KeyUp(std::int16_t& k, std::int16_t& s) override {
        if (w_.listener_) w_.listener_->KeyUp(k, s);
        emit w_.keyUp(k, s);
    }
    void MouseOnButton(bool& on) override {
        if (w_.listener_) w_.listener_->MouseOnButton(on);
        emit w_.mouseOnButton(on);
    }
    void Click() override {
        if (w_.listener_) w_.listener_->Click();
        emit w_.clicked();
    }
    void DoubleClick(std::int16_t& b) override {
        if (w_.listener_) w_.listener_->DoubleClick(b);
        emit w_.doubleClicked(b);
    }
    void OLECompleteDrag(std::int32_t& effect) override {
        if (w_.listener_) w_.listener_->OLECompleteDrag(effect);
    }
    void OLEDragDrop(button::DragData& d, std::int32_t& effect, std::int16_t& b, std::int16_t& s,
                     float& x, float& y) override {
        if (w_.listener_) w_.listener_->OLEDragDrop(d, effect, b, s, x, y);
    }
    void OLEDragOver(button::DragData& d, std::int32_t& effect, std::int16_t& b, std::int16_t& s,
                     float& x, float& y, std::int16_t& state) override {
        if (w_.listener_) w_.listener_->OLEDragOver(d, effect, b, s, x, y, state);
    }
    void OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) override {
        if (w_.listener_) w_.listener_->OLEGiveFeedback(effect, defaultCursors);
    }
    void OLESetData(button::DragData& d, std::int16_t& format) override {
        if (w_.listener_) w_.listener_->OLESetData(d, format);
    }
    void OLEStartDrag(button::DragData& d, std::int32_t& allowed) override {
        if (w_.listener_) w_.listener_->OLEStartDrag(d, allowed);
    }

  private:
    ZoButtonWidget& w_;
};

}  // namespace cindral::platform::qt
