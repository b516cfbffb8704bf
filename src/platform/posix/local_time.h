#pragma once
// The time of day from the C library's local-time conversion (TZ and the
// system's zone files).

#include <ctime>

#include "saver/ports.h"

namespace cindral::platform::posix {

class PosixLocalTime final : public saver::LocalTime {
  public:
    int SecondsSinceMidnight() override;
};

// Seconds since local midnight at the moment `t`.
int SecondsSinceLocalMidnight(std::time_t t);

}  // namespace cindral::platform::posix
