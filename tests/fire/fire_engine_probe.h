#pragma once
// What the fire tests reach inside the engine: the parameters and the heat
// buffer the steps share, and the load with an option string of the test's.

#include <cstdint>
#include <string_view>
#include <vector>

#include "fire/fire_engine.h"

namespace cindral::fire {

struct FireEngineProbe {
    static FireParams& Params(FireEngine& e) { return e.params_; }
    static std::vector<std::uint8_t>& Buffer(FireEngine& e) { return e.buffer_; }
    // The load steps, parsing `options` instead of the chosen kind's.
    static bool LoadOptions(FireEngine& e, std::string_view options, int displayBitsPerPixel) {
        e.ParseOptions(options);
        return e.BuildParsedFire(displayBitsPerPixel);
    }
};

}  // namespace cindral::fire
