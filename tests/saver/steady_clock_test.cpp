// The portable saver clock: ticks from the steady clock, time of day from the
// platform's calendar.

#include "saver/steady_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace cindral::saver {
namespace {

struct FixedLocalTime : LocalTime {
    int seconds = 0;
    int SecondsSinceMidnight() override { return seconds; }
};

TEST(SteadyClock, TimeOfDayComesFromTheLocalTimePort) {
    FixedLocalTime local;
    SteadyClock clock(local);
    for (const int s : {0, 1, 43'200, 86'399}) {
        local.seconds = s;
        EXPECT_EQ(clock.SecondsSinceMidnight(), s);
    }
}

TEST(SteadyClock, MillisecondAndMicrosecondTicksAreTheSameMonotonicClock) {
    FixedLocalTime local;
    SteadyClock clock(local);
    const std::int64_t us0 = clock.TickUs();
    const std::uint32_t ms0 = clock.TickMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::uint32_t ms1 = clock.TickMs();
    const std::int64_t us1 = clock.TickUs();
    // At least the 20 ms slept, on both scales; the two scales agree.
    EXPECT_GE(us1 - us0, 20'000);
    EXPECT_GE(static_cast<std::int32_t>(ms1 - ms0), 20);
    EXPECT_EQ(static_cast<std::uint32_t>(us0 / 1000 - ms0 + 1) <= 2u, true);
}

}  // namespace
}  // namespace cindral::saver
