// The time of day follows the local zone, not UTC.

#include "platform/posix/local_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace cindral::platform::posix {
namespace {

TEST(PosixLocalTime, SecondsSinceMidnightAreInTheLocalZone) {
    struct Case {
        const char* tz;
        std::time_t t;
        int expected;
    };
    // 1 000 000 000 s after the epoch is 01:46:40 UTC on 9 September 2001.
    const Case cases[] = {
        {"UTC0", 0, 0},
        {"UTC0", 1'000'000'000, 1 * 3600 + 46 * 60 + 40},
        {"JST-9", 0, 9 * 3600},                              // 09:00 in Tokyo
        {"JST-9", 1'000'000'000, 10 * 3600 + 46 * 60 + 40},  // 10:46:40
        {"EST5", 1'000'000'000, 20 * 3600 + 46 * 60 + 40},   // 20:46:40 the day before
        {"UTC0", 86'399, 86'399},
    };
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    for (const Case& c : cases) {
        setenv("TZ", c.tz, 1);
        tzset();
        EXPECT_EQ(SecondsSinceLocalMidnight(c.t), c.expected) << c.tz << " " << c.t;
    }
    if (old) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

}  // namespace
}  // namespace cindral::platform::posix
