#pragma once
// How the Linux programs run the music player.

#include "saver/assembly.h"

namespace cindral::app {

// The Linux media layer answers every command within milliseconds (decoding
// and disc reading run on its own threads), so the player runs in place: the
// CD timer then follows each poll's own result, and no thread of ours is left
// to end with the program.
inline constexpr saver::MusicCalls kLinuxMusicCalls = saver::MusicCalls::InPlace;

}  // namespace cindral::app
