#include "saver/steady_clock.h"

#include <chrono>

namespace cindral::saver {

namespace {

template <typename Unit>
std::int64_t SteadyNow() {
    return std::chrono::duration_cast<Unit>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

// Wraps after 49.7 days, as the tick count the timers were written for does.
std::uint32_t SteadyClock::TickMs() {
    return static_cast<std::uint32_t>(SteadyNow<std::chrono::milliseconds>());
}

std::int64_t SteadyClock::TickUs() { return SteadyNow<std::chrono::microseconds>(); }

}  // namespace cindral::saver
