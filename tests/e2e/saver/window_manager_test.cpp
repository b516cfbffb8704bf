// The saver on a desktop with a window manager, which decides where windows
// go, whether they get a frame and which one has the keyboard: the saver's
// window must still cover the screen, come out above another application's
// window that had the focus, and end on a key.

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "fire_checks.h"
#include "saver_fixture.h"
#include "x_clients.h"

namespace cindral::e2e {
namespace {

// xwininfo's "Absolute upper-left X:" and the like, by label.
int Field(const std::string& info, const std::string& label) {
    const auto at = info.find(label);
    if (at == std::string::npos) return -1;
    return std::stoi(info.substr(at + label.size()));
}

class UnderAWindowManager : public SaverE2E {
  protected:
    // Starts the window manager and waits until it has taken the screen.
    bool StartWindowManager() {
        Child wm = Spawn({"openbox", "--sm-disable"}, x_->ClientEnv());
        children_.push_back(wm.pid);
        const auto end = Clock::now() + 10s;
        while (Clock::now() < end) {
            const std::string check =
                Capture({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, x_->ClientEnv());
            if (check.find("window id") != std::string::npos) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    std::string ActiveWindow() {
        const std::string active = Xdo({"getactivewindow"});
        return active.substr(0, active.find('\n'));
    }
    // Asks the manager to activate `window` until it has.
    bool WaitUntilActive(const std::string& window) {
        const auto end = Clock::now() + 5s;
        while (Clock::now() < end) {
            Xdo({"windowactivate", window});
            if (ActiveWindow() == window) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
};

TEST_F(UnderAWindowManager, TheSaverCoversTheScreenTakesTheKeyboardAndEndsOnAKey) {
    StartServer(640, 480, 24);
    ASSERT_TRUE(StartWindowManager()) << "openbox did not take the screen";
    // Another application's window, framed and focused by the manager.
    const auto [other, otherId] = HostWindow("Another application", 300, 200);
    ASSERT_NE(otherId, 0ul);
    ASSERT_TRUE(WaitUntilActive(std::to_string(otherId))) << "the other window never had the focus";
    FakeKeyboard keyboard(*x_);
    ASSERT_TRUE(keyboard.Ready()) << "no XTest connection to the server";

    const pid_t pid = Start({"/s"});
    ASSERT_TRUE(WaitForSaverWindow());
    const std::string id = Xdo({"search", "--onlyvisible", "--name", "^Cindral_Main$"});
    ASSERT_FALSE(id.empty());
    const std::string window = id.substr(0, id.find('\n'));
    ASSERT_TRUE(WaitForFire(*x_, "root", width_, height_)) << "no fire on the screen";

    // No frame, no offset: the window is the whole screen.
    const std::string info = Capture({"xwininfo", "-id", window}, x_->ClientEnv());
    EXPECT_EQ(Field(info, "Absolute upper-left X:"), 0) << info;
    EXPECT_EQ(Field(info, "Absolute upper-left Y:"), 0) << info;
    EXPECT_EQ(Field(info, "Width:"), width_) << info;
    EXPECT_EQ(Field(info, "Height:"), height_) << info;
    // The manager gave it the keyboard, away from the other window.
    EXPECT_EQ(ActiveWindow(), window);

    keyboard.Key("a", true);
    const auto status = WaitExit(pid, 2000);
    keyboard.Key("a", false);
    ASSERT_TRUE(status) << "a key did not end the saver";
    EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace cindral::e2e
