#pragma once
// The one SDL2_mixer output all devices of the layer share: 44.1 kHz, signed
// 16-bit, stereo, exactly (SDL converts for the hardware), so CD-DA sectors
// can be mixed in as they are.

#include <cstdint>

namespace cindral::platform::linux_music {

class AudioOutput {
  public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    AudioOutput() = default;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    ~AudioOutput();

    // Opens the output on first use; a failure is remembered so that a
    // machine without sound pays for the attempt once.
    bool Open();

    // A function that adds its samples to every mixed block (on the audio
    // thread). Null removes it; on return the old one is no longer running.
    using MixFn = void (*)(void* arg, std::int16_t* samples, int frames);
    void SetExtraMix(MixFn fn, void* arg);

  private:
    enum class State { Closed, Open, Failed };
    State state_ = State::Closed;
};

}  // namespace cindral::platform::linux_music
