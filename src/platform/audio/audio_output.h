#pragma once
// The one SDL2_mixer output all devices of the layer share: 44.1 kHz, signed
// 16-bit, stereo, exactly (SDL converts for the hardware), so CD-DA sectors
// can be mixed in as they are. SDL2 and SDL2_mixer are loaded at the first
// open.

#include <cstdint>
#include <string>

#include "platform/audio/audio_libraries.h"

namespace cindral::platform::audio {

class AudioOutput {
  public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    explicit AudioOutput(std::string mixerLibrary = AudioLibraryNames{}.mixer,
                         std::string sdlLibrary = AudioLibraryNames{}.sdl)
        : mixerLibrary_(std::move(mixerLibrary)), sdlLibrary_(std::move(sdlLibrary)) {}
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    ~AudioOutput();

    // Loads the mixer (with SDL2) and opens the output on first use: 0, or the error
    // code (the driver cannot be loaded, or no output opens). A failure is
    // remembered so that a machine without sound pays for the attempt once.
    std::uint32_t Open();

    // The loaded mixer; only after Open() succeeded.
    const MixerLibrary& Mixer() const { return *mix_; }

    // Stops every sound at once (channels, music, the extra mix) and leaves
    // the output open.
    void Silence();

    // A function that adds its samples to every mixed block (on the audio
    // thread). Null removes it; on return the old one is no longer running.
    using MixFn = void (*)(void* arg, std::int16_t* samples, int frames);
    void SetExtraMix(MixFn fn, void* arg);

  private:
    std::string mixerLibrary_;
    std::string sdlLibrary_;
    const MixerLibrary* mix_ = nullptr;
    std::uint32_t failure_ = 0;  // the remembered error of a failed open
    bool open_ = false;
};

}  // namespace cindral::platform::audio
