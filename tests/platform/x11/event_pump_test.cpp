// The saver's event pump on a private X server: which events reach the saver
// as what, and what ends a wait.

#include "platform/x11/event_pump.h"

// The server helper brings GoogleTest, which must come before Xlib (whose
// None macro would break it).
// clang-format off
#include "test_server.h"
#include <X11/keysym.h>
// clang-format on

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/stop_signals.h"
#include "platform/x11/saver_display.h"

namespace cindral::platform::x11 {
namespace {

struct Recorder : saver::SaverInput {
    std::vector<std::string> got;
    void KeyDown(saver::Key key) override {
        got.push_back(key == saver::Key::Left    ? "key left"
                      : key == saver::Key::Right ? "key right"
                                                 : "key other");
    }
    void MouseDown() override { got.push_back("mouse"); }
    void EndSaver() override { got.push_back("end"); }
};

class X11PumpTest : public test_support::X11ServerTest {
  protected:
    // The stop request is process-wide: each test (and each repeat of it)
    // starts without one.
    void SetUp() override {
        posix::ForgetStopSignalsForTesting();
        ASSERT_TRUE(Start({{640, 480}}, 24));
        display_.emplace(program_);
        ASSERT_TRUE(display_->InitDisplay()) << display_->Failure();
        window_ = display_->Handle();
    }
    void TearDown() override {
        display_.reset();
        X11ServerTest::TearDown();
        posix::ForgetStopSignalsForTesting();
    }

    // An event as the server would deliver it to the saver's window, sent by
    // another client.
    void Send(int type, unsigned keycode = 0, unsigned state = 0) {
        XEvent e{};
        e.type = type;
        long mask = 0;
        if (type == KeyPress || type == KeyRelease) {
            e.xkey.window = window_;
            e.xkey.keycode = keycode;
            e.xkey.state = state;
            e.xkey.same_screen = True;
            mask = type == KeyPress ? KeyPressMask : KeyReleaseMask;
        } else if (type == ButtonPress) {
            e.xbutton.window = window_;
            e.xbutton.button = Button1;
            mask = ButtonPressMask;
        } else if (type == MotionNotify) {
            e.xmotion.window = window_;
            mask = PointerMotionMask;
        }
        XSendEvent(onlooker_, window_, False, mask, &e);
    }
    // The desktop's close box, after everything sent so far.
    void SendClose() {
        XSync(onlooker_, False);
        const e2e::Outcome closed =
            e2e::RunToEnd({e2e::BinDir() + "/cindral-close-box", std::to_string(window_)},
                          server_->ClientEnv(), 5000);
        ASSERT_EQ(closed.status, 0) << closed.output;
    }
    unsigned Key(unsigned long keysym) { return XKeysymToKeycode(onlooker_, keysym); }
    // The modifier bit of NumLock on the server's keyboard.
    unsigned NumLockBit() {
        const KeyCode numLock = XKeysymToKeycode(onlooker_, XK_Num_Lock);
        XModifierKeymap* map = XGetModifierMapping(onlooker_);
        unsigned bit = 0;
        for (int i = 0; i < 8 * map->max_keypermod; ++i) {
            if (map->modifiermap[i] == numLock && numLock) bit = 1u << (i / map->max_keypermod);
        }
        XFreeModifiermap(map);
        return bit;
    }

    std::optional<X11SaverDisplay> display_;
    unsigned long window_ = 0;
};

TEST_F(X11PumpTest, HandsEveryQueuedEventOnInOrderAndIgnoresTheRest) {
    const unsigned numLock = NumLockBit();
    ASSERT_NE(numLock, 0u);
    Send(KeyPress, Key(XK_KP_Left), 0);        // keypad 4, NumLock off
    Send(MotionNotify);                        // movement is no input
    Send(KeyPress, Key(XK_KP_Left), numLock);  // keypad 4, NumLock on: a digit
    Send(ButtonPress);
    Send(KeyRelease, Key(XK_q));
    Send(KeyPress, Key(XK_KP_Right), ShiftMask);
    Send(KeyPress, Key(XK_q), ShiftMask);  // shifted or not, the letter
    Send(KeyPress, Key(XK_1));
    SendClose();
    XSync(onlooker_, False);
    X11EventPump pump(*display_);
    Recorder input;
    pump.WaitAndDispatch(0, input);
    EXPECT_EQ(input.got, (std::vector<std::string>{"key left", "key other", "mouse", "key right",
                                                   "key other", "key other", "end"}));
}

TEST_F(X11PumpTest, AWaitEndsAtAnEventAlreadyQueuedOrArriving) {
    X11EventPump pump(*display_);
    Recorder input;
    // A minute is a wait the frame loop never asks for; only the event ends it.
    const auto waitOnce = [&] {
        const auto start = std::chrono::steady_clock::now();
        pump.WaitAndDispatch(60000, input);
        return std::chrono::steady_clock::now() - start;
    };
    // Already read into Xlib's queue, where the descriptor does not show it.
    Send(ButtonPress);
    XSync(onlooker_, False);
    XSync(program_, False);
    EXPECT_LT(waitOnce(), std::chrono::seconds(30)) << "the queued event was not seen";
    EXPECT_EQ(input.got, (std::vector<std::string>{"mouse"}));
    // Arriving while the pump waits.
    input.got.clear();
    std::thread sender([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Send(KeyPress, Key(XK_Right));
        XFlush(onlooker_);
    });
    const auto waited = waitOnce();
    sender.join();
    EXPECT_LT(waited, std::chrono::seconds(30)) << "the arriving event did not end the wait";
    EXPECT_EQ(input.got, (std::vector<std::string>{"key right"}));
}

TEST_F(X11PumpTest, TerminationSignalsRequestAStopAndEndTheWait) {
    X11EventPump::InstallStopSignalHandlers();
    X11EventPump pump(*display_);
    Recorder input;
    pump.WaitAndDispatch(0, input);  // whatever creating the windows queued
    EXPECT_FALSE(pump.StopRequested());
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        // Each signal on its own must request the stop.
        posix::ForgetStopSignalsForTesting();
        ASSERT_FALSE(pump.StopRequested());
        // From another thread, as the system may deliver it to any.
        std::thread sender([sig] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            kill(getpid(), sig);
        });
        input.got.clear();
        const auto start = std::chrono::steady_clock::now();
        pump.WaitAndDispatch(60000, input);
        sender.join();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30))
            << "the wait was not woken";
        EXPECT_TRUE(pump.StopRequested());
        EXPECT_TRUE(input.got.empty());
    }
}

}  // namespace
}  // namespace cindral::platform::x11
