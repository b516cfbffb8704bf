// The SDL event pump: which SDL events reach the saver as what, and the key
// codes the saver's key handler reads.

#include "platform/linux/saver/sdl_event_pump.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/saver/stop_signals.h"

namespace cindral::platform::linux {
namespace {

TEST(VirtualKeyOf, ArrowsAndTheKeypadArrowsAreThirtySevenAndThirtyNine) {
    struct Case {
        int keycode;
        std::uint16_t mod;
        int expected;
    };
    const Case cases[] = {
        {SDLK_LEFT, KMOD_NONE, 37},
        {SDLK_RIGHT, KMOD_NONE, 39},
        {SDLK_LEFT, KMOD_NUM, 37},
        // The keypad's 4 and 6 are the arrows while NumLock is off ...
        {SDLK_KP_4, KMOD_NONE, 37},
        {SDLK_KP_6, KMOD_NONE, 39},
        {SDLK_KP_4, KMOD_LSHIFT, 37},
        // ... and digits, no arrows, while it is on.
        {SDLK_KP_4, KMOD_NUM, 0},
        {SDLK_KP_6, KMOD_NUM, 0},
        {SDLK_KP_8, KMOD_NONE, 0},  // the keypad's up arrow is no track key
        {SDLK_a, KMOD_NONE, 'A'},
        {SDLK_z, KMOD_NUM, 'Z'},
        {SDLK_5, KMOD_NONE, '5'},
        // No other key may pass for an arrow.
        {SDLK_UP, KMOD_NONE, 0},
        {SDLK_QUOTE, KMOD_NONE, 0},    // the apostrophe is ASCII 39
        {SDLK_PERCENT, KMOD_NONE, 0},  // and the percent sign 37
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyOf(c.keycode, c.mod), c.expected)
            << SDL_GetKeyName(c.keycode) << " mod " << c.mod;
    }
}

struct Recorder : saver::SaverInput {
    std::vector<std::string> got;
    void KeyDown(int vk) override { got.push_back("key " + std::to_string(vk)); }
    void MouseDown() override { got.push_back("mouse"); }
    void EndSaver() override { got.push_back("end"); }
};

class SdlPump : public ::testing::Test {
  protected:
    // The stop request is process-wide: each test (and each repeat of it)
    // starts without one.
    void SetUp() override {
        ForgetStopSignalsForTesting();
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    }
    void TearDown() override {
        SDL_Quit();
        ForgetStopSignalsForTesting();
    }

    static void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    static SDL_Event Key(SDL_Keycode sym, std::uint16_t mod) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        return e;
    }
    static SDL_Event Of(std::uint32_t type) {
        SDL_Event e{};
        e.type = type;
        return e;
    }
    static SDL_Event Window(std::uint8_t event) {
        SDL_Event e = Of(SDL_WINDOWEVENT);
        e.window.event = event;
        return e;
    }
};

TEST_F(SdlPump, HandsEveryQueuedEventOnInOrderAndIgnoresTheRest) {
    Push(Key(SDLK_KP_6, KMOD_NONE));
    Push(Of(SDL_MOUSEMOTION));
    Push(Of(SDL_MOUSEBUTTONDOWN));
    Push(Of(SDL_KEYUP));
    Push(Window(SDL_WINDOWEVENT_FOCUS_LOST));
    Push(Window(SDL_WINDOWEVENT_CLOSE));
    Push(Key(SDLK_q, KMOD_NONE));
    Push(Of(SDL_QUIT));
    SdlEventPump pump;
    Recorder input;
    pump.WaitAndDispatch(0, input);
    EXPECT_EQ(input.got, (std::vector<std::string>{"key 39", "mouse", "end",
                                                   "key " + std::to_string('Q'), "end"}));
    // A wait with nothing queued ends with nothing handed on.
    input.got.clear();
    pump.WaitAndDispatch(5, input);
    EXPECT_TRUE(input.got.empty());
    // An event already queued is taken by a wait too.
    Push(Of(SDL_MOUSEBUTTONDOWN));
    pump.WaitAndDispatch(1000, input);
    EXPECT_EQ(input.got, (std::vector<std::string>{"mouse"}));
}

TEST_F(SdlPump, TerminationSignalsRequestAStopAndEndTheWait) {
    SdlEventPump::InstallStopSignalHandlers();
    SdlEventPump pump;
    EXPECT_FALSE(pump.StopRequested());
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        // Each signal on its own must request the stop.
        ForgetStopSignalsForTesting();
        ASSERT_FALSE(pump.StopRequested());
        // From another thread, as the system may deliver it to any.
        std::thread sender([sig] { kill(getpid(), sig); });
        Recorder input;
        // A minute is a wait the frame loop never asks for; only the signal's
        // wake ends it early, and it hands on no input.
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
}  // namespace cindral::platform::linux
