#pragma once
// The sound call's player: one sound file at a time on a mixer channel,
// once or looped. The file is read whole on a worker thread, so a large WAV
// never holds the caller; a newer call or a stop discards a load still
// running. Files too large to hold are refused before any reading, and the
// player's end never waits for a load in progress.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/audio/audio_output.h"

namespace cindral::platform::audio {

class SoundPlayer {
  public:
    // Most a sound may take once decoded for the output (16-bit stereo at
    // 44.1 kHz): about 25 minutes.
    static constexpr std::uint64_t kMaxDecodedBytes = 256ull << 20;
    // Most a sound file that is not a WAV may take: its decoded size cannot
    // be told before decoding, and compressed sound decodes to ten times
    // its size and more.
    static constexpr std::uint64_t kMaxCompressedBytes = 16ull << 20;

    // Reads the open regular file `fd` (and closes it) into a chunk; null on
    // failure. Runs on the worker thread.
    using Loader = std::function<Mix_Chunk*(const MixerLibrary& mix, int fd)>;

    explicit SoundPlayer(AudioOutput& output, Loader loader = {});
    // Returns at once: a load still running ends on its own and its result
    // is dropped.
    ~SoundPlayer();

    // Stops the current sound and starts `path`; false when the file is not
    // a regular file, is too large, or no output can be opened.
    bool Play(const std::string& path, bool loop);
    void Stop();
    bool Busy();  // a sound is loading or sounding

    // Silences the sound and drops any load, freeing nothing: for a program
    // about to end, which reclaims the memory faster. The player plays no more.
    void Abandon();

    // The size in bytes of the sound in the open file `fd` once decoded for
    // the output, when the file is a WAV; otherwise its size times the ratio
    // above, so both limits compare alike.
    static std::uint64_t DecodedBytes(int fd, std::uint64_t fileBytes);

  private:
    struct Shared;
    AudioOutput& output_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace cindral::platform::audio
