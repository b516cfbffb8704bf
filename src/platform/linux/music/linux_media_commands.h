#pragma once
// The Linux stand-in for the platform's multimedia library: a media-command
// interpreter with an "MPEGVideo" device on SDL2_mixer, a "cdaudio" device on
// libcdio (the default CD drive, or the drive or BIN/CUE image named by the
// environment variable CINDRAL_CDROM), and a looping sound call.
//
// Calls return within milliseconds: decoding and CD reading run on the audio
// library's thread and a reader thread. The audio output opens at the first
// command that needs it. One layer per process: SDL2_mixer is a singleton.

#include <memory>

#include "music/bgm.h"

namespace cindral::platform {

std::unique_ptr<music::MediaCommands> CreateLinuxMediaCommands();

}  // namespace cindral::platform
