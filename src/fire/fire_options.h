#pragma once
// The look of the fire: the parsed option string and the eight built-in kinds.

#include <array>
#include <cstdint>
#include <string_view>

#include "fire/rnd.h"

namespace cindral::fire {

// Values before parsing: everything zero or false except `decay`, which the
// saver window sets to 0.2 first.
struct FireParams {
    std::int32_t particleCount = 0;   // highest particle index (-p)
    std::int32_t blurPasses = 0;      // blur passes per frame (-b)
    float gravity = 0.0f;             // added to vy each frame (-g)
    bool windEnabled = false;         // -w or -l
    float windStrength = 0.0f;        // width of the wind range (-w)
    std::int32_t emitAngleStart = 0;  // degrees (-c a b: a)
    std::int32_t emitAngleSpan = 0;   // degrees (-c a b: b - a)
    bool emitEnabled = false;         // -c
    std::int32_t scrollRows = 0;      // -y
    bool scrollEnabled = false;       // -y
    std::int32_t burstSize = 0;       // sparks per burst tick (-k)
    std::int32_t paletteKind = 0;     // -l
    float speedMin = 0.0f;            // -s a b: a
    float speedSpan = 0.0f;           // -s a b: b - a
    std::int32_t spawnCount = 0;      // -n
    std::int32_t spawnJitter = 0;     // -N
    float decay = 0.2f;               // -d
    float decayJitter = 0.0f;         // -D
    bool clearEachFrame = false;      // -r (true exactly for 1)
    std::uint8_t heatStart = 0;       // -C a b: a
    std::uint8_t heatSpan = 0;        // -C a b: b - a
    std::int32_t emitterMode = 0;     // -f
};

// Milliseconds between the saver's spark bursts for a fire kind: kind 2
// bursts every 100 ms, every other kind (and a custom option string) every 2 s.
constexpr std::uint32_t SparkBurstIntervalMs(std::int16_t fireKind) {
    return fireKind == 2 ? 100u : 2000u;
}

inline constexpr std::array<std::string_view, 8> PresetTable = {
    "-b 5 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 45 -s 0 4 -f 1",
    "-b 5 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 25 -s 0 4 -f 1",
    "-b 5 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 25 -s 0 1 -f 1",
    "-b 5 -g -0.05 -w 0.2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 25 -s 0 1 -f 1",
    "-b 2 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 1 -c 0 360 -n 15 -s 0 4 -f 1",
    "-b 1 -g -0.1 -w 0.5 -p 9000 -k 200 -l 0 -y 5 -c 180 360 -n 350 -s 0 10 -f 3 -d 15",
    "-b 6 -g -0.1 -w 0.5 -p 10000 -k 200 -l 0 -y 5 -c 180 360 -n 250 -s 0 10 -f 3 -d 9",
    "-b 5 -g -0.1 -w 0.5 -p 5000 -k 200 -l 0 -y 9 -c 0 360 -n 190 -s 0 1 -d 9 -f 2",
};

inline constexpr std::int16_t kRandomFireKind = 8;

// The option string of `fireKind`. Kind 8 reseeds `rnd` from the seconds since
// midnight and replaces `fireKind` by a random kind 0..7; kinds outside 0..8
// give the empty string. No other kind touches the generator.
std::string_view ChoosePreset(std::int16_t& fireKind, int secondsSinceMidnight, Rnd& rnd);

// Parses `options` into `params` (which holds the pre-parse values) and fills
// in the defaults of options that did not occur. Never fails: unknown text is
// skipped, and a number that does not fit its field leaves the field alone.
void ParseFireOptions(std::string_view options, FireParams& params);

}  // namespace cindral::fire
