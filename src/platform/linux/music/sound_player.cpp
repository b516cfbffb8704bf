#include "platform/linux/music/sound_player.h"

#include <SDL_mixer.h>
#include <sys/stat.h>

namespace cindral::platform::linux_music {

SoundPlayer::SoundPlayer(AudioOutput& output) : output_(output) {
    worker_ = std::thread([this] { WorkerLoop(); });
}

SoundPlayer::~SoundPlayer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        StopLocked();
    }
    wake_.notify_all();
    worker_.join();
}

bool SoundPlayer::Play(const std::string& path, bool loop) {
    Stop();
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0) return false;
    if (!output_.Open()) return false;
    {
        std::lock_guard lock(mutex_);
        pending_ = Request{path, loop, generation_};
    }
    wake_.notify_all();
    return true;
}

void SoundPlayer::Stop() {
    std::lock_guard lock(mutex_);
    StopLocked();
}

void SoundPlayer::StopLocked() {
    ++generation_;
    pending_.reset();
    if (chunk_) {
        Mix_HaltChannel(channel_);
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
        channel_ = -1;
    }
}

bool SoundPlayer::Busy() {
    std::lock_guard lock(mutex_);
    return pending_ || loading_ || (chunk_ && Mix_Playing(channel_));
}

void SoundPlayer::WorkerLoop() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return quit_ || pending_; });
        if (quit_) return;
        const Request request = *pending_;
        pending_.reset();
        loading_ = true;
        lock.unlock();
        Mix_Chunk* chunk = Mix_LoadWAV(request.path.c_str());
        lock.lock();
        loading_ = false;
        if (!chunk) continue;
        if (request.generation != generation_ || quit_) {
            Mix_FreeChunk(chunk);
            continue;
        }
        const int channel = Mix_PlayChannel(-1, chunk, request.loop ? -1 : 0);
        if (channel < 0) {
            Mix_FreeChunk(chunk);
            continue;
        }
        chunk_ = chunk;
        channel_ = channel;
    }
}

}  // namespace cindral::platform::linux_music
