#include "platform/audio/sound_player.h"

#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/audio/regular_file.h"

namespace cindral::platform::audio {
namespace {

constexpr std::uint64_t kOutputFrameBytes = 2 * 2;

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

Mix_Chunk* LoadWholeSound(const MixerLibrary& mix, int fd) {
    SDL_RWops* stream = StreamOfFile(mix, fd);
    return stream ? mix.Mix_LoadWAV_RW(stream, 1) : nullptr;
}

}  // namespace

struct SoundPlayer::Shared {
    struct Request {
        int fd;
        bool loop;
        std::uint64_t generation;
    };

    void StopLocked() {
        ++generation;
        if (pending) close(pending->fd);
        pending.reset();
        if (chunk) {
            mix->Mix_HaltChannel(channel);
            mix->Mix_FreeChunk(chunk);
            chunk = nullptr;
            channel = -1;
        }
    }
    void WorkerLoop();

    Loader loader;
    const MixerLibrary* mix = nullptr;  // set by the first play
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Request> pending;
    bool loading = false;
    std::uint64_t generation = 0;
    Mix_Chunk* chunk = nullptr;
    int channel = -1;
    bool quit = false;
};

void SoundPlayer::Shared::WorkerLoop() {
    std::unique_lock lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return quit || pending; });
        if (quit) return;
        const Request request = *pending;
        pending.reset();
        loading = true;
        lock.unlock();
        Mix_Chunk* loaded = loader(*mix, request.fd);
        lock.lock();
        loading = false;
        if (!loaded) continue;
        if (request.generation != generation || quit) {
            mix->Mix_FreeChunk(loaded);
            if (quit) return;
            continue;
        }
        const int playing = mix->Mix_PlayChannelTimed(-1, loaded, request.loop ? -1 : 0, -1);
        if (playing < 0) {
            mix->Mix_FreeChunk(loaded);
            continue;
        }
        chunk = loaded;
        channel = playing;
    }
}

SoundPlayer::SoundPlayer(AudioOutput& output, Loader loader)
    : output_(output), shared_(std::make_shared<Shared>()) {
    shared_->loader = loader ? std::move(loader) : Loader(LoadWholeSound);
    // The worker shares the state, so the player can end while it is still
    // inside a decoder: the worker ends, and frees the state, when the
    // decoder returns.
    std::thread([shared = shared_] { shared->WorkerLoop(); }).detach();
}

SoundPlayer::~SoundPlayer() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->quit = true;
        shared_->StopLocked();
    }
    shared_->wake.notify_all();
}

std::uint64_t SoundPlayer::DecodedBytes(int fd, std::uint64_t fileBytes) {
    const std::uint64_t other = fileBytes * (kMaxDecodedBytes / kMaxCompressedBytes);
    unsigned char head[12];
    if (pread(fd, head, sizeof head, 0) != static_cast<ssize_t>(sizeof head) ||
        std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        return other;
    std::uint64_t at = 12;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    // A WAV's chunks: its format, then (maybe after others) its samples.
    for (int chunks = 0; chunks < 64 && at + 8 <= fileBytes; ++chunks) {
        unsigned char header[8 + 16];
        const ssize_t got = pread(fd, header, sizeof header, static_cast<off_t>(at));
        if (got < 8) break;
        const std::uint64_t size = Le32(header + 4);
        if (std::memcmp(header, "fmt ", 4) == 0 && got >= 8 + 16) {
            rate = Le32(header + 8 + 4);
            blockAlign = Le16(header + 8 + 12);
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (rate == 0 || blockAlign == 0) break;
            const std::uint64_t bytes = std::min(size, fileBytes - (at + 8));
            const std::uint64_t frames = bytes / blockAlign;
            return (frames * AudioOutput::kRate + rate - 1) / rate * kOutputFrameBytes;
        }
        at += 8 + size + (size & 1);
    }
    return other;
}

bool SoundPlayer::Play(const std::string& path, bool loop) {
    Stop();
    int fd = -1;
    std::uint64_t size = 0;
    if (OpenRegularFile(path, fd, size) != 0) return false;
    if (size == 0 || DecodedBytes(fd, size) > kMaxDecodedBytes || output_.Open() != 0) {
        close(fd);
        return false;
    }
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->quit) {
            close(fd);
            return false;
        }
        shared_->mix = &output_.Mixer();
        shared_->pending = Shared::Request{fd, loop, shared_->generation};
    }
    shared_->wake.notify_all();
    return true;
}

void SoundPlayer::Stop() {
    std::lock_guard lock(shared_->mutex);
    shared_->StopLocked();
}

void SoundPlayer::Abandon() {
    std::lock_guard lock(shared_->mutex);
    shared_->quit = true;
    ++shared_->generation;
    if (shared_->pending) close(shared_->pending->fd);
    shared_->pending.reset();
    if (shared_->chunk) shared_->mix->Mix_HaltChannel(shared_->channel);
    shared_->chunk = nullptr;  // left to the process's end
    shared_->wake.notify_all();
}

bool SoundPlayer::Busy() {
    std::lock_guard lock(shared_->mutex);
    return shared_->pending || shared_->loading ||
           (shared_->chunk && shared_->mix->Mix_Playing(shared_->channel));
}

}  // namespace cindral::platform::audio
