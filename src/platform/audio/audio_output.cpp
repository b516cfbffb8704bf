#include "platform/audio/audio_output.h"

#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {
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
    if (!open_) return;
    // The program may have shut SDL down (SDL_Quit) before the layer ends;
    // the output is gone with it then.
    if (!mix_->SDL_WasInit(SDL_INIT_AUDIO)) return;
    mix_->Mix_SetPostMix(nullptr, nullptr);
    mix_->Mix_HaltMusic();
    mix_->Mix_HaltChannel(-1);
    mix_->Mix_CloseAudio();
    mix_->Mix_Quit();
    mix_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::uint32_t AudioOutput::Open() {
    if (open_) return kOk;
    if (failure_) return failure_;
    mix_ = LoadMixerLibrary(mixerLibrary_, sdlLibrary_);
    if (!mix_) return failure_ = kCannotLoadDriver;
    // SDL2_mixer reports what it skips in a file (an ID3 tag it does not
    // know, ...) as information on standard error; the program keeps the
    // terminal for what fails.
    mix_->SDL_LogSetPriority(SDL_LOG_CATEGORY_APPLICATION, SDL_LOG_PRIORITY_WARN);
    failure_ = kWaveOutputsUnsuitable;
    if (mix_->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return failure_;
    mix_->Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_FLAC);
    // No format changes allowed: SDL converts to what the hardware wants.
    if (mix_->Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kChannels, 1024, nullptr, 0) != 0) {
        mix_->Mix_Quit();
        mix_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return failure_;
    }
    mix_->Mix_AllocateChannels(4);
    mix_->Mix_SetPostMix(PostMix, nullptr);
    failure_ = kOk;
    open_ = true;
    return kOk;
}

void AudioOutput::Silence() {
    if (!open_) return;
    SetExtraMix(nullptr, nullptr);
    mix_->Mix_HaltChannel(-1);
    mix_->Mix_HaltMusic();
}

void AudioOutput::SetExtraMix(MixFn fn, void* arg) {
    if (!open_) {
        g_extra = {fn, arg};
        return;
    }
    // Re-registering takes the mixer's lock, so the callback is not running
    // while the target changes.
    mix_->Mix_SetPostMix(nullptr, nullptr);
    g_extra = {fn, arg};
    mix_->Mix_SetPostMix(PostMix, nullptr);
}

}  // namespace cindral::platform::audio
