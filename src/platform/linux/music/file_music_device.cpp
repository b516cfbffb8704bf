#include "platform/linux/music/file_music_device.h"

#include <SDL_mixer.h>
#include <sys/stat.h>

#include <cmath>

#include "platform/linux/music/mci_command.h"
#include "platform/linux/music/mci_errors.h"

namespace cindral::platform::linux_music {
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
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return kFileNotFound;
    if (st.st_size == 0) return kInvalidFile;
    if (!output.Open()) return kWaveOutputsUnsuitable;
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) return kInvalidFile;
    device.reset(new FileMusicDevice(music));
    return kOk;
}

FileMusicDevice::~FileMusicDevice() {
    if (Owns()) {
        Mix_HaltMusic();
        g_owner = nullptr;
    }
    Mix_FreeMusic(music_);
}

bool FileMusicDevice::Owns() const { return g_owner == this; }

bool FileMusicDevice::Sounding() const { return Owns() && Mix_PlayingMusic(); }

double FileMusicDevice::PositionSeconds() const {
    if (!Sounding()) return restartAt_;
    const double pos = Mix_GetMusicPosition(music_);
    return pos < 0 ? 0 : pos;
}

std::uint32_t FileMusicDevice::StartAt(double seconds) {
    paused_ = false;
    g_owner = this;
    const int rc =
        seconds > 0 ? Mix_FadeInMusicPos(music_, 1, 0, seconds) : Mix_PlayMusic(music_, 1);
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
        const double length = Mix_MusicDuration(music_);
        if (length > 0 && ms / 1000.0 > length) return kOutOfRange;
        return StartAt(ms / 1000.0);
    }
    if (Sounding()) {
        if (paused_) {
            Mix_ResumeMusic();
            paused_ = false;
        }
        return kOk;
    }
    return StartAt(restartAt_);
}

std::uint32_t FileMusicDevice::Stop() {
    if (Sounding()) {
        restartAt_ = PositionSeconds();
        Mix_HaltMusic();
    } else if (Owns()) {
        restartAt_ = 0;  // ran to its end: the next play starts over
    }
    paused_ = false;
    return kOk;
}

std::uint32_t FileMusicDevice::Pause() {
    if (Sounding()) {
        Mix_PauseMusic();
        paused_ = true;
    }
    return kOk;
}

std::uint32_t FileMusicDevice::Resume() {
    if (Sounding() && paused_) {
        Mix_ResumeMusic();
        paused_ = false;
    }
    return kOk;
}

std::uint32_t FileMusicDevice::Seek(const std::string& to) {
    const std::string where = Lower(to);
    double seconds = 0;
    if (where == "end") {
        seconds = std::max(0.0, Mix_MusicDuration(music_));
    } else if (where != "start") {
        std::uint32_t ms = 0;
        if (!ParseUnsigned(to, ms)) return kBadInteger;
        seconds = ms / 1000.0;
    }
    if (Sounding()) Mix_HaltMusic();
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
        reply = Millis(Mix_MusicDuration(music_));
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

}  // namespace cindral::platform::linux_music
