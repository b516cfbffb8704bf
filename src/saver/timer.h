#pragma once
// A window timer of the saver: it ticks every `intervalMs` while enabled, but
// only when the frame loop serves it between frames. A late tick does not
// queue up extra ticks.

#include <cstdint>

namespace cindral::saver {

class SaverTimer {
  public:
    explicit SaverTimer(std::uint32_t intervalMs) : interval_(intervalMs) {}

    std::uint32_t Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }

    // A new interval restarts the count while the timer runs.
    void SetInterval(std::uint32_t ms, std::uint32_t now) {
        interval_ = ms;
        if (enabled_) due_ = now + interval_;
    }
    // Enabling a stopped timer starts a full interval; enabling a running one
    // changes nothing.
    void SetEnabled(bool on, std::uint32_t now) {
        if (on && !enabled_) due_ = now + interval_;
        enabled_ = on;
    }
    bool IsDue(std::uint32_t now) const {
        return enabled_ && static_cast<std::int32_t>(now - due_) >= 0;
    }
    // Called after a tick: the next one is an interval later, or an interval
    // from now when the loop fell more than one interval behind.
    void Rearm(std::uint32_t now) {
        due_ += interval_;
        if (static_cast<std::int32_t>(now - due_) >= 0) due_ = now + interval_;
    }
    // Milliseconds until the next tick (0 when due); only meaningful when enabled.
    std::uint32_t MsUntilDue(std::uint32_t now) const {
        auto left = static_cast<std::int32_t>(due_ - now);
        return left > 0 ? static_cast<std::uint32_t>(left) : 0u;
    }

  private:
    std::uint32_t interval_;
    bool enabled_ = false;
    std::uint32_t due_ = 0;
};

}  // namespace cindral::saver
