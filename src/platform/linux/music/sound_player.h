#pragma once
// The sound call's player: one sound file at a time on a mixer channel,
// once or looped. The file is loaded on a worker thread, so a large WAV never
// holds the caller; a newer call or a stop discards a load still running.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/linux/music/audio_output.h"

struct Mix_Chunk;

namespace cindral::platform::linux_music {

class SoundPlayer {
  public:
    explicit SoundPlayer(AudioOutput& output);
    ~SoundPlayer();

    // Stops the current sound and starts `path`; false when the file is not
    // there or no output can be opened.
    bool Play(const std::string& path, bool loop);
    void Stop();
    bool Busy();  // a sound is loading or sounding

  private:
    struct Request {
        std::string path;
        bool loop;
        std::uint64_t generation;
    };
    void StopLocked();
    void WorkerLoop();

    AudioOutput& output_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    bool loading_ = false;
    std::uint64_t generation_ = 0;
    Mix_Chunk* chunk_ = nullptr;
    int channel_ = -1;
    bool quit_ = false;
    std::thread worker_;
};

}  // namespace cindral::platform::linux_music
