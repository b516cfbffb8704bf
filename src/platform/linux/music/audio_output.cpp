#include "platform/linux/music/audio_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>

namespace cindral::platform::linux_music {
namespace {

struct ExtraMix {
    AudioOutput::MixFn fn = nullptr;
    void* arg = nullptr;
};
ExtraMix g_extra;  // read on the audio thread, written with the audio locked

void PostMix(void*, Uint8* stream, int len) {
    if (g_extra.fn)
        g_extra.fn(g_extra.arg, reinterpret_cast<std::int16_t*>(stream),
                   len / static_cast<int>(sizeof(std::int16_t) * AudioOutput::kChannels));
}

}  // namespace

AudioOutput::~AudioOutput() {
    if (state_ != State::Open) return;
    // The program may have shut SDL down (SDL_Quit) before the layer ends;
    // the output is gone with it then.
    if (!SDL_WasInit(SDL_INIT_AUDIO)) return;
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioOutput::Open() {
    if (state_ != State::Closed) return state_ == State::Open;
    state_ = State::Failed;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_FLAC);
    // No format changes allowed: SDL converts to what the hardware wants.
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kChannels, 1024, nullptr, 0) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(4);
    Mix_SetPostMix(PostMix, nullptr);
    state_ = State::Open;
    return true;
}

void AudioOutput::SetExtraMix(MixFn fn, void* arg) {
    if (state_ != State::Open) {
        g_extra = {fn, arg};
        return;
    }
    // Re-registering takes the mixer's lock, so the callback is not running
    // while the target changes.
    Mix_SetPostMix(nullptr, nullptr);
    g_extra = {fn, arg};
    Mix_SetPostMix(PostMix, nullptr);
}

}  // namespace cindral::platform::linux_music
