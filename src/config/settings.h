#pragma once
// The four user settings, loaded once at start-up and edited only by the
// settings window.

#include <cstdint>
#include <string>

namespace cindral::config {

// The values of MusicKind, as stored. The setting stays a 16-bit number: a
// stored value outside these plays nothing and marks no choice.
enum MusicKindValue : std::int16_t { kNoMusic = 0, kCdMusic = 1, kFileMusic = 2 };

struct Settings {
    std::int16_t FireKind = 0;          // 0..7 a preset, 8 a random preset at every start
    std::int16_t MusicKind = kNoMusic;  // a MusicKindValue
    std::int16_t RepeatTrack = 0;       // CD track played over and over; 0: the whole disc
    std::string MusicFile;              // UTF-8 path of the music file, empty when none
};

}  // namespace cindral::config
