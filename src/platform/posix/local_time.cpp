#include "platform/posix/local_time.h"

namespace cindral::platform::posix {

int SecondsSinceLocalMidnight(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

int PosixLocalTime::SecondsSinceMidnight() { return SecondsSinceLocalMidnight(std::time(nullptr)); }

}  // namespace cindral::platform::posix
