#pragma once
// How often the saver adds a burst of sparks.

#include <cstdint>

namespace cindral::fire {

// Milliseconds between spark bursts: fire kind 2 bursts every 100 ms.
constexpr std::uint32_t BurstIntervalMs(std::int16_t fireKind) {
    return fireKind == 2 ? 100u : 2000u;
}

}  // namespace cindral::fire
