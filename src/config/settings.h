#pragma once
// The four user settings, loaded once at start-up and edited only by the
// settings window.

#include <cstdint>
#include <string>

namespace cindral::config {

struct Settings {
    std::int16_t FireKind = 0;     // 0..7 a preset, 8 a random preset at every start
    std::int16_t MusicKind = 0;    // 0 none, 1 audio CD, 2 MP3 or WAV file
    std::int16_t RepeatTrack = 0;  // CD track played over and over; 0: the whole disc
    std::string MusicFile;         // UTF-8 path of the music file, empty when none
};

}  // namespace cindral::config
