#include <gtest/gtest.h>

#include "fakes.h"

namespace cindral::button::test {
namespace {

using Lines = std::vector<std::string>;

TEST(Hover, EnteringRaisesMouseOnButtonOnceAndLeavingWithinOneTick) {
    Rig rig;
    rig.b().OnMouseMove(0, 0, 3, 4);
    rig.timer.Advance(5);
    rig.b().OnMouseMove(0, 0, 5, 6);
    rig.timer.Advance(60);  // still over the button: ticks change nothing
    rig.b().OnMouseMove(0, 0, 7, 8);
    EXPECT_EQ(rig.events.lines, (Lines{"MouseOnButton true", "MouseMove 0 0 3 4",
                                       "MouseMove 0 0 5 6", "MouseMove 0 0 7 8"}));
    EXPECT_TRUE(rig.b().HoverTracking());
    EXPECT_EQ(rig.b().ButtonState(), StateMouseOver);
    ASSERT_EQ(rig.timer.running.count(kHoverTimerId), 1u);
    EXPECT_EQ(rig.timer.running[kHoverTimerId].first, 50);

    rig.events.lines.clear();
    rig.timer.cursorOver = false;  // left at t = 65; next tick at t = 100
    rig.timer.Advance(34);
    EXPECT_TRUE(rig.events.lines.empty());
    rig.timer.Advance(1);
    EXPECT_EQ(rig.events.lines, Lines{"MouseOnButton false"});
    EXPECT_FALSE(rig.b().HoverTracking());
    EXPECT_EQ(rig.b().ButtonState(), 0);
    EXPECT_TRUE(rig.timer.running.empty());
    rig.timer.Advance(500);
    EXPECT_EQ(rig.events.lines.size(), 1u);
}

TEST(Hover, MovesOutsideTheClientAreaOnlyForwardTheEvent) {
    Rig rig;
    rig.b().OnMouseMove(1, 0, -1, 5);
    rig.b().OnMouseMove(1, 0, 90, 5);
    EXPECT_EQ(rig.events.lines, (Lines{"MouseMove 1 0 -1 5", "MouseMove 1 0 90 5"}));
    EXPECT_FALSE(rig.b().HoverTracking());
    EXPECT_TRUE(rig.timer.running.empty());
}

TEST(Mouse, LeftPressCapturesAndReleaseClicks) {
    Rig rig;
    rig.b().OnMouseDown(1, 2, 5, 6);
    EXPECT_TRUE(rig.window.captured);
    EXPECT_EQ(rig.b().ButtonState(), StatePressed);
    rig.b().OnMouseUp(1, 2, 5, 6);
    EXPECT_FALSE(rig.window.captured);
    EXPECT_EQ(rig.b().ButtonState(), 0);
    rig.b().OnClick();
    EXPECT_EQ(rig.events.lines, (Lines{"MouseDown 1 2 5 6", "MouseUp 1 2 5 6", "Click"}));
}

TEST(Mouse, RightPressHasNoPressedLookAndNoClick) {
    Rig rig;
    rig.b().OnMouseMove(0, 0, 5, 6);
    rig.events.lines.clear();
    rig.b().OnMouseDown(2, 0, 5, 6);
    EXPECT_EQ(rig.b().ButtonState() & StatePressed, 0);
    EXPECT_FALSE(rig.window.captured);
    // Style 0 middle ring stays light grey (not the pressed grey).
    EXPECT_EQ(rig.px().At(1, 10), Rgb(233, 233, 233));
    rig.b().OnMouseUp(2, 0, 5, 6);
    rig.b().OnClick();
    EXPECT_EQ(rig.events.lines, (Lines{"MouseDown 2 0 5 6", "MouseUp 2 0 5 6"}));
    EXPECT_EQ(rig.b().LastButton(), 2);
}

TEST(Mouse, LeftDoubleClickRaisesDoubleClickThenMouseDown) {
    Rig rig;
    rig.window.cursor = {12, 7};
    rig.b().OnMouseDown(1, 0, 12, 7);
    rig.b().OnMouseUp(1, 0, 12, 7);
    rig.b().OnClick();
    rig.events.lines.clear();
    rig.b().OnDoubleClick();
    EXPECT_EQ(rig.events.lines, (Lines{"DoubleClick 1", "MouseDown 1 0 12 7"}));
    EXPECT_EQ(rig.b().ButtonState(), StateFocused | StatePressed);
    EXPECT_EQ(rig.b().LastButton(), -1);
    rig.b().OnMouseUp(1, 0, 12, 7);
    EXPECT_EQ(rig.b().ButtonState(), StateFocused);
}

TEST(Mouse, RightDoubleClickReportsAPlainLeftMouseDown) {
    Rig rig;
    rig.window.cursor = {3, 4};
    rig.b().OnMouseDown(2, 0, 3, 4);
    rig.b().OnMouseUp(2, 0, 3, 4);
    rig.events.lines.clear();
    rig.b().OnDoubleClick();
    EXPECT_EQ(rig.events.lines, (Lines{"DoubleClick 2", "MouseDown 1 0 3 4"}));
    EXPECT_EQ(rig.b().ButtonState() & StatePressed, 0);
}

TEST(Keyboard, SpacePressesAndClicks) {
    Rig rig;
    rig.b().OnGotFocus();
    rig.b().OnKeyDown(32, 0);
    // The pressed look was painted, then the mouse-over bit dropped again.
    EXPECT_EQ(rig.px().At(1, 10), Rgb(128, 128, 128));
    EXPECT_EQ(rig.b().ButtonState(), StateFocused | StatePressed);
    rig.b().OnKeyDown(32, 0);  // auto-repeat: no second press
    rig.b().OnKeyPress(32);
    rig.b().OnKeyUp(32, 0);
    EXPECT_EQ(rig.b().ButtonState(), StateFocused);
    EXPECT_EQ(rig.events.lines,
              (Lines{"KeyDown 32 0", "KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0"}));
}

TEST(Keyboard, ArrowsMoveTheFocusAndShiftIsSwallowed) {
    Rig rig;
    for (std::int16_t k : {37, 38, 39, 40, 16}) {
        rig.b().OnKeyDown(k, 0);
        rig.b().OnKeyUp(k, 0);
    }
    EXPECT_TRUE(rig.events.lines.empty());
    EXPECT_EQ(rig.window.focusMoves, (std::vector<bool>{false, false, true, true}));
    rig.b().OnKeyDown(65, 1);
    rig.b().OnKeyUp(65, 1);
    EXPECT_EQ(rig.events.lines, (Lines{"KeyDown 65 1", "KeyUp 65 1"}));
}

TEST(AccessKeyPress, UnfocusedButtonShowsThePressedLookTakesFocusAndClicks) {
    Rig rig;
    rig.b().SetCaption("&Save");
    rig.b().OnAccessKey();
    ASSERT_EQ(rig.window.statesAtWait.size(), 2u);
    EXPECT_EQ(rig.window.statesAtWait[0], StatePressed | StateMouseOver);
    EXPECT_TRUE(rig.window.focused);
    EXPECT_EQ(rig.timer.nowMs, 200);
    EXPECT_EQ(rig.events.lines, Lines{"Click"});
    EXPECT_EQ(rig.b().ButtonState() & StatePressed, 0);
    EXPECT_EQ(rig.px().At(1, 10), Rgb(233, 233, 233));  // released look at the end
}

TEST(AccessKeyPress, FocusedButtonJustClicks) {
    Rig rig;
    rig.b().OnGotFocus();
    rig.b().OnAccessKey();
    EXPECT_TRUE(rig.window.statesAtWait.empty());
    EXPECT_EQ(rig.events.lines, Lines{"Click"});
}

TEST(PaintRequest, ClearsThePressedLookOfAFocusedButton) {
    Rig rig;
    rig.b().OnGotFocus();
    rig.b().OnMouseMove(0, 0, 5, 5);
    rig.b().OnMouseDown(1, 0, 5, 5);
    rig.b().OnPaint();
    EXPECT_EQ(rig.b().ButtonState(), StateFocused | StateMouseOver);
    EXPECT_EQ(rig.px().At(1, 10), Rgb(255, 255, 255));  // focused middle ring again

    rig.b().OnLostFocus();
    EXPECT_EQ(rig.b().ButtonState(), 0);
    const int presents = rig.window.presents;
    rig.b().OnPaint();  // caption pass only: still presents
    EXPECT_EQ(rig.window.presents, presents + 1);
}

TEST(Lifetime, EndingWhileTrackingStopsTheHoverTimer) {
    Rig rig;
    rig.b().OnMouseMove(0, 0, 5, 5);
    ASSERT_FALSE(rig.timer.running.empty());
    rig.button.reset();
    EXPECT_TRUE(rig.timer.running.empty());
}

}  // namespace
}  // namespace cindral::button::test

namespace cindral::button::test {
namespace {

// An owner that turns every released button into the left one.
class LeftMaker : public EventLog {
  public:
    void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        EventLog::MouseUp(b, s, x, y);
        b = 1;
    }
};

TEST(Mouse, AButtonChangedByTheOwnerIsTheOneRemembered) {
    FakeWindow window;
    FakeTimer timer;
    FakeHost host;
    LeftMaker events;
    zoButtons_H b(window, timer, host, events);
    b.OnResize();
    b.OnMouseDown(2, 0, 1, 1);
    b.OnMouseUp(2, 0, 1, 1);
    b.OnClick();
    EXPECT_EQ(events.lines.back(), "Click");
}

}  // namespace
}  // namespace cindral::button::test
