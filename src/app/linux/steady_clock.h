#pragma once
// The saver's clock on Linux: monotonic milliseconds and local time of day.

#include <chrono>
#include <cstdint>
#include <ctime>

#include "saver/ports.h"

namespace cindral::app {

inline std::uint32_t SteadyMs() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

class SteadyClock final : public saver::SaverClock {
  public:
    std::uint32_t TickMs() override { return SteadyMs(); }
    int SecondsSinceMidnight() override {
        std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    }
};

}  // namespace cindral::app
