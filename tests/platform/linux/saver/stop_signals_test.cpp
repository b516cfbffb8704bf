// A termination signal sets the stop request and ends a wait for SDL events
// that would otherwise go on for a minute.

#include "platform/linux/saver/stop_signals.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

namespace cindral::platform::linux {
namespace {

TEST(StopSignals, SetTheRequestAndWakeAnEventWait) {
    InstallStopSignals();
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    EXPECT_FALSE(StopSignalled());
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        // From another thread, as the system may deliver it anywhere.
        std::thread sender([sig] { kill(getpid(), sig); });
        SDL_Event e{};
        // A minute is the wait the loop would make without the wake; the
        // event ends it at once.
        int got = SDL_WaitEventTimeout(&e, 60000);
        sender.join();
        ASSERT_EQ(got, 1) << "the wait was not woken";
        EXPECT_EQ(e.type, StopSignalEventType());
        EXPECT_TRUE(StopSignalled());
    }
    SDL_Quit();
}

}  // namespace
}  // namespace cindral::platform::linux
