#include "platform/audio/file_music_device.h"

#include <unistd.h>

#include <cmath>

#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"
#include "platform/audio/regular_file.h"

namespace cindral::platform::audio {
namespace {

// The device whose music the mixer holds: SDL2_mixer plays one at a time.
FileMusicDevice* g_owner = nullptr;

std::string Millis(double seconds) {
    return std::to_string(static_cast<long long>(std::llround(std::max(0.0, seconds) * 1000)));
}

}  // namespace

std::uint32_t FileMusicDevice::Open(const std::string& path, AudioOutput& output,
                                    std::unique_ptr<MciDevice>& device) {
    if (path.empty()) return kFilenameRequired;
    int fd = -1;
    std::uint64_t size = 0;
    if (const std::uint32_t rc = OpenRegularFile(path, fd, size)) return rc;
    if (size == 0) {
        close(fd);
        return kInvalidFile;
    }
    if (const std::uint32_t rc = output.Open()) {
        close(fd);
        return rc;
    }
    const MixerLibrary& mix = output.Mixer();
    SDL_RWops* stream = StreamOfFile(mix, fd);
    if (!stream) return kFileRead;
    // No type given: the mixer tells the format from the first bytes, so a
    // WAV named .mp3 plays as the WAV it is. The stream is the music's now.
    Mix_Music* music = mix.Mix_LoadMUSType_RW(stream, MUS_NONE, SDL_TRUE);
    if (!music) return kInvalidFile;
    device.reset(new FileMusicDevice(mix, music));
    return kOk;
}

FileMusicDevice::~FileMusicDevice() {
    if (Owns()) {
        mix_.Mix_HaltMusic();
        g_owner = nullptr;
    }
    mix_.Mix_FreeMusic(music_);
}

bool FileMusicDevice::Owns() const { return g_owner == this; }

bool FileMusicDevice::Sounding() const { return Owns() && mix_.Mix_PlayingMusic(); }

double FileMusicDevice::PositionSeconds() const {
    if (!Sounding()) return restartAt_;
    const double pos = mix_.Mix_GetMusicPosition(music_);
    return pos < 0 ? 0 : pos;
}

std::uint32_t FileMusicDevice::StartAt(double seconds) {
    paused_ = false;
    g_owner = this;
    const int rc = seconds > 0 ? mix_.Mix_FadeInMusicPos(music_, 1, 0, seconds)
                               : mix_.Mix_PlayMusic(music_, 1);
    if (rc != 0) {
        g_owner = nullptr;
        return kHardware;
    }
    restartAt_ = 0;
    return kOk;
}

std::uint32_t FileMusicDevice::Play(const std::string* from, const std::string* to) {
    if (to) return kUnsupportedFunction;
    if (from) {
        std::uint32_t ms = 0;
        if (!ParseUnsigned(*from, ms)) return kBadInteger;
        const double length = mix_.Mix_MusicDuration(music_);
        if (length > 0 && ms / 1000.0 > length) return kOutOfRange;
        return StartAt(ms / 1000.0);
    }
    if (Sounding()) {
        if (paused_) {
            mix_.Mix_ResumeMusic();
            paused_ = false;
        }
        return kOk;
    }
    return StartAt(restartAt_);
}

std::uint32_t FileMusicDevice::Stop() {
    if (Sounding()) {
        restartAt_ = PositionSeconds();
        mix_.Mix_HaltMusic();
    } else if (Owns()) {
        restartAt_ = 0;  // ran to its end: the next play starts over
    }
    paused_ = false;
    return kOk;
}

std::uint32_t FileMusicDevice::Pause() {
    if (Sounding()) {
        mix_.Mix_PauseMusic();
        paused_ = true;
    }
    return kOk;
}

std::uint32_t FileMusicDevice::Resume() {
    if (Sounding() && paused_) {
        mix_.Mix_ResumeMusic();
        paused_ = false;
    }
    return kOk;
}

std::uint32_t FileMusicDevice::Seek(const std::string& to) {
    const std::string where = Lower(to);
    double seconds = 0;
    const double length = mix_.Mix_MusicDuration(music_);
    if (where == "end") {
        seconds = std::max(0.0, length);
    } else if (where != "start") {
        std::uint32_t ms = 0;
        if (!ParseUnsigned(to, ms)) return kBadInteger;
        // As for play: no place past the end.
        if (length > 0 && ms / 1000.0 > length) return kOutOfRange;
        seconds = ms / 1000.0;
    }
    if (Sounding()) mix_.Mix_HaltMusic();
    paused_ = false;
    restartAt_ = seconds;
    return kOk;
}

std::uint32_t FileMusicDevice::Status(const std::vector<std::string>& item, std::string& reply) {
    if (item.size() == 1 && item[0] == "mode") {
        reply = !Sounding() ? "stopped" : paused_ ? "paused" : "playing";
    } else if (item.size() == 1 && item[0] == "position") {
        reply = Millis(PositionSeconds());
    } else if (item.size() == 1 && item[0] == "length") {
        reply = Millis(mix_.Mix_MusicDuration(music_));
    } else if (item.size() == 1 && item[0] == "ready") {
        reply = "true";
    } else if (item.size() == 2 && item[0] == "media" && item[1] == "present") {
        reply = "true";
    } else if (item.size() == 2 && item[0] == "time" && item[1] == "format") {
        reply = "milliseconds";
    } else if (item.size() == 3 && item[0] == "number" && item[1] == "of" && item[2] == "tracks") {
        reply = "1";
    } else if (item.empty()) {
        return kMissingParameter;
    } else {
        return kUnrecognizedKeyword;
    }
    return kOk;
}

std::uint32_t FileMusicDevice::SetTimeFormat(const std::string& format) {
    return format == "milliseconds" || format == "ms" ? kOk : kBadTimeFormat;
}

}  // namespace cindral::platform::audio
