#pragma once
// The Linux stand-in for the platform's multimedia library: a media-command
// interpreter with an "MPEGVideo" device on SDL2_mixer, a "cdaudio" device on
// libcdio (the default CD drive, or the drive or BIN/CUE image named by the
// environment variable CINDRAL_CDROM), and a looping sound call.
//
// Calls return within milliseconds: decoding and CD reading run on the audio
// library's thread and reader threads, and only regular files are read as
// music or disc images. SDL2_mixer and libcdio are loaded at the first
// command that needs them (a library that cannot be loaded gives error 266),
// and the audio output opens then. One layer per process: SDL2_mixer is a
// singleton. Destroying the layer returns at once, whatever is still loading:
// a load in progress ends on its own thread and is dropped.

#include <memory>

#include "music/ports.h"
#include "platform/audio/audio_libraries.h"

namespace cindral::platform::audio {

std::unique_ptr<music::MediaCommands> CreateLinuxMediaCommands(
    const AudioLibraryNames& libraries = {});

// For a program about to end: silences the layer's output at once and lets
// the layer go without closing anything, so the end waits for no thread (a
// load in progress, the audio device draining its last buffers) and frees no
// large sound; the process's end reclaims it all. `layer` must come from
// CreateLinuxMediaCommands; it is null afterwards.
void AbandonLinuxMediaCommandsAtExit(std::unique_ptr<music::MediaCommands>& layer);

}  // namespace cindral::platform::audio
