#include <gtest/gtest.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>

#include "platform/qt/zo_button_widget.h"
#include "qt_app.h"

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

using Lines = std::vector<std::string>;

class Log : public ButtonEvents {
  public:
    Lines lines;
    void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        lines.push_back("MouseDown " + Args(b, s, x, y));
    }
    void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        lines.push_back("MouseUp " + Args(b, s, x, y));
    }
    void KeyDown(std::int16_t& k, std::int16_t& s) override {
        lines.push_back("KeyDown " + std::to_string(k) + " " + std::to_string(s));
    }
    void KeyUp(std::int16_t& k, std::int16_t& s) override {
        lines.push_back("KeyUp " + std::to_string(k) + " " + std::to_string(s));
    }
    void MouseOnButton(bool& on) override {
        lines.push_back(on ? "MouseOnButton true" : "MouseOnButton false");
    }
    void Click() override { lines.push_back("Click"); }
    void DoubleClick(std::int16_t& b) override {
        lines.push_back("DoubleClick " + std::to_string(b));
    }

  private:
    static std::string Args(int b, int s, float x, float y) {
        return std::to_string(b) + " " + std::to_string(s) + " " +
               std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
    }
};

// Two buttons side by side in a shown top-level window.
struct Form {
    struct Started {
        Started() { App(); }
    } started;
    QWidget window;
    ZoButtonWidget* first;
    ZoButtonWidget* second;
    Log log;

    Form() {
        App();
        window.resize(300, 100);
        first = new ZoButtonWidget(&window);
        first->setGeometry(10, 10, 89, 33);
        second = new ZoButtonWidget(&window);
        second->setGeometry(120, 10, 89, 33);
        first->SetEventListener(&log);
        first->Control().SetCaption("&Save");
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        log.lines.clear();
    }
};

bool Contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(QtInput, RightPressRaisesMouseDownTwoAndNoClick) {
    Form f;
    QTest::mouseClick(f.first, Qt::RightButton, {}, QPoint(20, 15));
    EXPECT_TRUE(Contains(f.log.lines, "MouseDown 2 0 20 15"));
    EXPECT_TRUE(Contains(f.log.lines, "MouseUp 2 0 20 15"));
    EXPECT_FALSE(Contains(f.log.lines, "Click"));

    f.log.lines.clear();
    QTest::mouseClick(f.first, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 15));
    EXPECT_TRUE(Contains(f.log.lines, "MouseDown 1 1 20 15"));
    EXPECT_EQ(f.log.lines.back(), "Click");
}

TEST(QtInput, SpaceRaisesKeyDownClickAndKeyUp) {
    Form f;
    f.first->setFocus();
    QTest::keyClick(f.first, Qt::Key_Space);
    EXPECT_EQ(f.log.lines, (Lines{"KeyDown 32 0", "Click", "KeyUp 32 0"}));
}

TEST(QtInput, ArrowsMoveTheFocusWithoutKeyEvents) {
    Form f;
    f.first->setFocus();
    QTest::keyClick(f.first, Qt::Key_Right);
    EXPECT_TRUE(f.second->hasFocus());
    EXPECT_TRUE(f.log.lines.empty());
    QTest::keyClick(f.second, Qt::Key_Left);
    EXPECT_TRUE(f.first->hasFocus());
    EXPECT_TRUE(f.log.lines.empty());
}

// What the platform delivers for a double click: press, release, press,
// Qt's double-click event, release, 60 ms apart.
void DoubleClickAt(QWidget* w, QPoint pos, Qt::MouseButton button) {
    const QEvent::Type types[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonPress, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease};
    static quint64 stamp = 1000000;
    for (QEvent::Type t : types) {
        const bool down = t != QEvent::MouseButtonRelease;
        QMouseEvent e(t, pos, w->mapToGlobal(pos), button, down ? button : Qt::NoButton,
                      Qt::NoModifier);
        e.setTimestamp(stamp += 60);
        QApplication::sendEvent(w, &e);
    }
    stamp += 10000;
}

TEST(QtInput, LeftDoubleClickRaisesDoubleClickThenMouseDown) {
    Form f;
    QCursor::setPos(f.first->mapToGlobal(QPoint(30, 12)));
    DoubleClickAt(f.first, QPoint(30, 12), Qt::LeftButton);
    // Press, release, click, then the double click replaces the second press.
    const Lines expected{"MouseDown 1 0 30 12", "MouseUp 1 0 30 12",   "Click",
                         "DoubleClick 1",       "MouseDown 1 0 30 12", "MouseUp 1 0 30 12"};
    EXPECT_EQ(f.log.lines, expected);

    // Slow presses are two clicks.
    f.log.lines.clear();
    QTest::mouseClick(f.first, Qt::LeftButton, {}, QPoint(30, 12));
    QTest::mouseClick(f.first, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(std::count(f.log.lines.begin(), f.log.lines.end(), "Click"), 2);
    EXPECT_FALSE(Contains(f.log.lines, "DoubleClick 1"));
}

TEST(QtInput, AccessKeyOfAnUnfocusedButtonPressesFocusesAndClicks) {
    Form f;
    f.second->setFocus();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(&f.window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(f.first->hasFocus());
    EXPECT_EQ(f.log.lines, Lines{"Click"});
    // The pressed look is held for 100 ms before the release is drawn.
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_EQ(f.first->Control().ButtonState() & StatePressed, 0);
}

TEST(QtInput, HoverEntersOnceAndLeavesWithinATimerTick) {
    Form f;
    QCursor::setPos(f.first->mapToGlobal(QPoint(20, 15)));
    QTest::mouseMove(f.first, QPoint(20, 15));
    QTest::mouseMove(f.first, QPoint(25, 16));
    QApplication::processEvents();
    EXPECT_EQ(std::count(f.log.lines.begin(), f.log.lines.end(), "MouseOnButton true"), 1);
    EXPECT_TRUE(f.first->Control().HoverTracking());
    QTest::qWait(120);  // ticks while over the button change nothing
    EXPECT_FALSE(Contains(f.log.lines, "MouseOnButton false"));

    QCursor::setPos(f.window.mapToGlobal(QPoint(250, 80)));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Contains(f.log.lines, "MouseOnButton false"); }, 1000));
    EXPECT_LE(clock.elapsed(), 200);
    EXPECT_FALSE(f.first->Control().HoverTracking());
    EXPECT_EQ(f.first->Control().ButtonState() & StateMouseOver, 0);
}

}  // namespace
}  // namespace cindral::platform::qt::test

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

class DropLog : public ButtonEvents {
  public:
    std::vector<std::string> lines;
    std::int32_t answer = kDropEffectCopy;
    void OLEDragOver(DragData& d, std::int32_t& effect, std::int16_t&, std::int16_t&, float& x,
                     float& y, std::int16_t& state) override {
        lines.push_back("over " + std::to_string(state) + " " + d.text + " " +
                        std::to_string(effect) + " " + std::to_string(static_cast<int>(x)) + " " +
                        std::to_string(static_cast<int>(y)));
        effect = answer;
    }
    void OLEDragDrop(DragData& d, std::int32_t& effect, std::int16_t&, std::int16_t&, float&,
                     float&) override {
        lines.push_back("drop " + d.text);
        effect = answer;
    }
};

TEST(QtDragDrop, WindowDragEventsAreForwardedAndAnsweredByTheOwner) {
    App();
    ZoButtonWidget w;
    w.resize(89, 33);
    w.setAcceptDrops(true);
    DropLog log;
    w.SetEventListener(&log);
    QMimeData mime;
    mime.setText("tune.mp3");

    QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);

    QDropEvent drop(QPointF(7, 8), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(log.lines, (std::vector<std::string>{"over 0 tune.mp3 3 5 6", "drop tune.mp3"}));

    log.answer = kDropEffectNone;  // the owner refuses
    QDragMoveEvent move(QPoint(9, 9), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    EXPECT_FALSE(move.isAccepted());
}

}  // namespace
}  // namespace cindral::platform::qt::test

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

// A container that notes the keys reaching it.
class KeyCatcher : public QWidget {
  public:
    std::vector<int> keys;

  protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

TEST(QtInput, KeysTheButtonDoesNotUseReachTheContainer) {
    App();
    KeyCatcher window;
    window.resize(200, 60);
    auto* b = new ZoButtonWidget(&window);
    b->setGeometry(10, 10, 89, 33);
    Log log;
    b->SetEventListener(&log);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Escape);
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(window.keys, std::vector<int>{Qt::Key_Escape});
    EXPECT_EQ(log.lines,
              (Lines{"KeyDown 27 0", "KeyUp 27 0", "KeyDown 32 0", "Click", "KeyUp 32 0"}));
}

}  // namespace
}  // namespace cindral::platform::qt::test

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

TEST(QtPaintRequest, OnlyShowingAgainIsThePaintRequestNotAnAncestorsRepaint) {
    Form f;
    f.first->setFocus();
    QCursor::setPos(f.first->mapToGlobal(QPoint(20, 15)));
    QTest::mouseMove(f.first, QPoint(20, 15));
    QTest::mousePress(f.first, Qt::LeftButton, {}, QPoint(20, 15));
    const std::int16_t pressed = StateFocused | StatePressed | StateMouseOver;
    ASSERT_EQ(f.first->Control().ButtonState(), pressed);
    f.window.update();
    QApplication::processEvents();
    EXPECT_EQ(f.first->Control().ButtonState(), pressed);
    QTest::mouseRelease(f.first, Qt::LeftButton, {}, QPoint(20, 15));

    // An unfocused button under the mouse: a paint request resets its state.
    f.second->setFocus();
    QCursor::setPos(f.window.mapToGlobal(QPoint(250, 80)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.first->Control().HoverTracking(); }, 1000));
    QCursor::setPos(f.first->mapToGlobal(QPoint(22, 15)));
    QTest::mouseMove(f.first, QPoint(22, 15));
    QTest::mouseMove(f.first, QPoint(24, 15));
    ASSERT_EQ(f.first->Control().ButtonState(), StateMouseOver);
    f.window.hide();
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    QApplication::processEvents();
    EXPECT_EQ(f.first->Control().ButtonState(), 0);
}

}  // namespace
}  // namespace cindral::platform::qt::test

namespace cindral::platform::qt::test {
using namespace cindral::button;
namespace {

// The window's pointer codes and the pointer each one shows.
TEST(QtPointer, EveryPointerCodeShowsItsPointer) {
    App();
    QWidget parent;  // a window keeps its own pointer: the button is a child
    auto& w = *new ZoButtonWidget(&parent);
    const struct {
        int code;
        Qt::CursorShape shape;
    } cases[] = {
        {1, Qt::ArrowCursor},      {2, Qt::CrossCursor},      {3, Qt::IBeamCursor},
        {4, Qt::BitmapCursor},  // a small square within a square, drawn here
        {5, Qt::SizeAllCursor},    {6, Qt::SizeBDiagCursor},  {7, Qt::SizeVerCursor},
        {8, Qt::SizeFDiagCursor},  {9, Qt::SizeHorCursor},    {10, Qt::UpArrowCursor},
        {11, Qt::WaitCursor},      {12, Qt::ForbiddenCursor}, {13, Qt::BusyCursor},
        {14, Qt::WhatsThisCursor}, {15, Qt::SizeAllCursor},
    };
    for (const auto& c : cases) {
        w.Control().SetMousePointer(0);
        ASSERT_FALSE(w.testAttribute(Qt::WA_SetCursor));  // 0: the container's
        w.Control().SetMousePointer(c.code);
        EXPECT_TRUE(w.testAttribute(Qt::WA_SetCursor)) << c.code;
        EXPECT_EQ(w.cursor().shape(), c.shape) << c.code;
    }
    w.Control().SetMousePointer(4);
    const QImage icon = w.cursor().pixmap().toImage();
    ASSERT_FALSE(icon.isNull());
    // Outer square's corner and the inner square's corner are drawn; the
    // corner of the picture is clear.
    EXPECT_EQ(qAlpha(icon.pixel(8, 8)), 255);
    EXPECT_EQ(qAlpha(icon.pixel(12, 12)), 255);
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
}

}  // namespace
}  // namespace cindral::platform::qt::test
