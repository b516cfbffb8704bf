#pragma once
// The saver's clock on any platform: the standard library's steady clock for
// ticks, the platform's calendar for the time of day.

#include <cstdint>

#include "saver/ports.h"

namespace cindral::saver {

class SteadyClock final : public SaverClock {
  public:
    explicit SteadyClock(LocalTime& localTime) : localTime_(localTime) {}
    std::uint32_t TickMs() override;
    std::int64_t TickUs() override;
    int SecondsSinceMidnight() override { return localTime_.SecondsSinceMidnight(); }

  private:
    LocalTime& localTime_;
};

}  // namespace cindral::saver
