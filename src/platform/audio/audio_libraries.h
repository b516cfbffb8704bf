#pragma once
// SDL2 with SDL2_mixer, and libcdio, opened at run time when music is first
// played, so a process that plays none never maps them (nor the decoders and
// sound servers' clients they pull in). The headers give the types; nothing
// links against the libraries.

#include <SDL.h>
#include <SDL_mixer.h>
#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <string>

namespace cindral::platform::audio {

// clang-format off
#define CINDRAL_MIXER_FUNCTIONS(X) \
    X(Mix_Init) X(Mix_Quit) X(Mix_OpenAudioDevice) X(Mix_CloseAudio) \
    X(Mix_AllocateChannels) X(Mix_SetPostMix) X(Mix_HaltMusic) X(Mix_HaltChannel) \
    X(Mix_LoadMUSType_RW) X(Mix_FreeMusic) X(Mix_PlayingMusic) X(Mix_GetMusicPosition) \
    X(Mix_FadeInMusicPos) X(Mix_PlayMusic) X(Mix_MusicDuration) X(Mix_ResumeMusic) \
    X(Mix_PauseMusic) X(Mix_LoadWAV_RW) X(Mix_FreeChunk) X(Mix_PlayChannelTimed) \
    X(Mix_Playing)

#define CINDRAL_SDL_FUNCTIONS(X) \
    X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_WasInit) X(SDL_LogSetPriority) \
    X(SDL_RWFromFP)

#define CINDRAL_CDIO_FUNCTIONS(X) \
    X(cdio_open) X(cdio_open_cue) X(cdio_destroy) X(cdio_get_first_track_num) \
    X(cdio_get_num_tracks) X(cdio_get_track_lsn) X(cdio_get_track_format) \
    X(cdio_read_audio_sectors) X(cdio_get_default_device) X(cdio_log_set_handler)
// clang-format on

#define CINDRAL_LIBRARY_FUNCTION(name) decltype(&::name) name = nullptr;

// Each member calls the library function of the same name: the mixer's
// and those of SDL2 itself that the layer calls.
struct MixerLibrary {
    CINDRAL_MIXER_FUNCTIONS(CINDRAL_LIBRARY_FUNCTION)
    CINDRAL_SDL_FUNCTIONS(CINDRAL_LIBRARY_FUNCTION)
};
struct CdioLibrary {
    CINDRAL_CDIO_FUNCTIONS(CINDRAL_LIBRARY_FUNCTION)
};

#undef CINDRAL_LIBRARY_FUNCTION

// The sonames of the Debian runtime packages (libsdl2-mixer-2.0-0,
// libsdl2-2.0-0, libcdio19).
struct AudioLibraryNames {
    std::string mixer = "libSDL2_mixer-2.0.so.0";
    std::string sdl = "libSDL2-2.0.so.0";
    std::string cdio = "libcdio.so.19";
};

// The library of that soname (for the mixer: the mixer's and SDL2's) with
// every function the layer calls, loaded once per process and never unloaded
// (reader threads may outlive a layer); null when one cannot be loaded or
// lacks a function, with the reason written to `why`.
const MixerLibrary* LoadMixerLibrary(const std::string& mixerSoname, const std::string& sdlSoname,
                                     std::string* why = nullptr);
const CdioLibrary* LoadCdioLibrary(const std::string& soname, std::string* why = nullptr);

}  // namespace cindral::platform::audio
