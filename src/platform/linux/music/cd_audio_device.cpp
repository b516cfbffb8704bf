#include "platform/linux/music/cd_audio_device.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/linux/music/mci_command.h"
#include "platform/linux/music/mci_errors.h"

namespace cindral::platform::linux_music {
namespace {

constexpr int kFramesPerSector = 588;  // stereo sample frames in one CD-DA sector
constexpr int kSectorsPerSecond = 75;
constexpr std::int32_t kPregap = 150;  // absolute addresses start 2 s before LSN 0
constexpr std::size_t kReadAhead = 40;  // about half a second
constexpr std::int32_t kReadBatch = 8;

void QuietLog(cdio_log_level_t, const char*) {}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           Lower(text.substr(text.size() - suffix.size())) == suffix;
}

// The files a CUE sheet names, relative to the sheet's folder.
bool CueFilesExist(const std::string& cuePath) {
    std::ifstream in(cuePath);
    const std::string::size_type slash = cuePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : cuePath.substr(0, slash + 1);
    std::string line;
    while (std::getline(in, line)) {
        const std::string::size_type at = line.find_first_not_of(" \t");
        if (at == std::string::npos || Lower(line.substr(at, 5)) != "file ") continue;
        std::string name;
        const std::string::size_type q1 = line.find('"', at);
        const std::string::size_type q2 = q1 == std::string::npos ? q1 : line.find('"', q1 + 1);
        if (q2 != std::string::npos) {
            name = line.substr(q1 + 1, q2 - q1 - 1);
        } else {
            const std::string::size_type b = line.find_first_not_of(" \t", at + 5);
            const std::string::size_type e = line.find_first_of(" \t", b);
            if (b != std::string::npos) name = line.substr(b, e - b);
        }
        const std::string full = !name.empty() && name[0] == '/' ? name : folder + name;
        struct stat st{};
        if (name.empty() || stat(full.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    }
    return true;
}

std::string TwoDigits(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02ld", value);
    return text;
}

std::string Msf(std::int32_t frames) {
    return TwoDigits(frames / (60 * kSectorsPerSecond)) + ":" +
           TwoDigits(frames / kSectorsPerSecond % 60) + ":" + TwoDigits(frames % kSectorsPerSecond);
}

// Up to `maxFields` colon-separated whole numbers.
bool SplitFields(const std::string& text, std::size_t maxFields, std::vector<std::uint32_t>& out) {
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        std::uint32_t v = 0;
        if (!ParseUnsigned(text.substr(start, colon - start), v)) return false;
        out.push_back(v);
        if (out.size() > maxFields) return false;
        if (colon == std::string::npos) return true;
        start = colon + 1;
    }
}

}  // namespace

std::uint32_t CdAudioDevice::Open(const std::string& source, AudioOutput& output,
                                  std::unique_ptr<MciDevice>& device) {
    cdio_log_set_handler(QuietLog);  // the saver keeps no log
    std::string path = source;
    if (path.empty()) {
        const char* env = std::getenv("CINDRAL_CDROM");
        if (env && *env) path = env;
    }
    CdIo_t* cdio = nullptr;
    if (path.empty()) {
        char* drive = cdio_get_default_device(nullptr);
        if (!drive) return kDeviceNotInstalled;
        cdio = cdio_open(drive, DRIVER_DEVICE);
        std::free(drive);
        if (!cdio) return kDeviceNotInstalled;
    } else {
        struct stat st{};
        if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return kFileNotFound;
        if (S_ISBLK(st.st_mode)) {
            cdio = cdio_open(path.c_str(), DRIVER_DEVICE);
            if (!cdio) return kDeviceNotInstalled;
        } else if (EndsWithNoCase(path, ".cue")) {
            if (!CueFilesExist(path)) return kFileNotFound;
            cdio = cdio_open_cue(path.c_str());
        } else {
            cdio = cdio_open(path.c_str(), DRIVER_UNKNOWN);
        }
        if (!cdio) return kInvalidFile;
    }
    if (!output.Open()) {
        cdio_destroy(cdio);
        return kWaveOutputsUnsuitable;
    }
    device.reset(new CdAudioDevice(cdio, output));
    return kOk;
}

CdAudioDevice::CdAudioDevice(CdIo_t* cdio, AudioOutput& output) : cdio_(cdio), output_(output) {
    const track_t first = cdio_get_first_track_num(cdio_);
    const track_t count = cdio_get_num_tracks(cdio_);
    if (first != CDIO_INVALID_TRACK && count != CDIO_INVALID_TRACK && count > 0) {
        firstTrack_ = first;
        for (track_t t = first; t < first + count; ++t) {
            starts_.push_back(cdio_get_track_lsn(cdio_, t));
            audio_.push_back(cdio_get_track_format(cdio_, t) == TRACK_FORMAT_AUDIO);
        }
        leadout_ = cdio_get_track_lsn(cdio_, CDIO_CDROM_LEADOUT_TRACK);
        position_ = starts_.front();
        end_ = leadout_;
    }
    output_.SetExtraMix(&CdAudioDevice::MixThunk, this);
    reader_ = std::thread([this] { ReaderLoop(); });
}

CdAudioDevice::~CdAudioDevice() {
    output_.SetExtraMix(nullptr, nullptr);
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    reader_.join();
    cdio_destroy(cdio_);
}

int CdAudioDevice::TrackAt(std::int32_t lsn) const {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), lsn);
    return std::max<int>(1, static_cast<int>(it - starts_.begin()));
}

std::uint32_t CdAudioDevice::ParsePosition(const std::string& text, bool isEnd,
                                           std::int32_t& lsn) const {
    std::vector<std::uint32_t> f;
    std::int64_t value = 0;
    if (format_ == Format::Milliseconds) {
        if (!SplitFields(text, 1, f)) return kBadInteger;
        value = static_cast<std::int64_t>(f[0]) * kSectorsPerSecond / 1000 - kPregap;
    } else if (format_ == Format::Msf) {
        if (!SplitFields(text, 3, f)) return kBadInteger;
        f.resize(3, 0);
        if (f[1] >= 60 || f[2] >= kSectorsPerSecond) return kOutOfRange;
        value = (static_cast<std::int64_t>(f[0]) * 60 + f[1]) * kSectorsPerSecond + f[2] - kPregap;
    } else {
        if (!SplitFields(text, 4, f)) return kBadInteger;
        f.resize(4, 0);
        if (f[0] < static_cast<std::uint32_t>(firstTrack_) ||
            f[0] - firstTrack_ >= starts_.size() || f[2] >= 60 || f[3] >= kSectorsPerSecond)
            return kOutOfRange;
        value = starts_[f[0] - firstTrack_] +
                (static_cast<std::int64_t>(f[1]) * 60 + f[2]) * kSectorsPerSecond + f[3];
    }
    if (value < 0 || value > leadout_ || (!isEnd && value == leadout_)) return kOutOfRange;
    lsn = static_cast<std::int32_t>(value);
    return kOk;
}

std::string CdAudioDevice::FormatPosition(std::int32_t lsn, bool trackStart) const {
    switch (format_) {
        case Format::Milliseconds:
            return std::to_string((static_cast<std::int64_t>(lsn) + kPregap) * 1000 /
                                  kSectorsPerSecond);
        case Format::Msf:
            return Msf(lsn + kPregap);
        case Format::Tmsf: {
            const int index = TrackAt(lsn);
            const std::int32_t offset = trackStart ? 0 : std::max(0, lsn - starts_[index - 1]);
            return TwoDigits(firstTrack_ + index - 1) + ":" + Msf(offset);
        }
    }
    return {};
}

std::string CdAudioDevice::FormatLength(std::int32_t sectors) const {
    if (format_ == Format::Milliseconds)
        return std::to_string(static_cast<std::int64_t>(sectors) * 1000 / kSectorsPerSecond);
    return Msf(sectors);
}

void CdAudioDevice::Halt(std::int32_t newPosition, bool paused) {
    std::lock_guard lock(mutex_);
    playing_ = false;
    paused_ = paused;
    ++generation_;
    queue_.clear();
    position_ = newPosition;
    frameInSector_ = 0;
}

std::uint32_t CdAudioDevice::Play(const std::string* from, const std::string* to) {
    if (!HasDisc()) return kDeviceNotReady;
    std::int32_t start = 0;
    std::int32_t stop = leadout_;
    if (from) {
        if (const std::uint32_t rc = ParsePosition(*from, false, start)) return rc;
    }
    if (to) {
        if (const std::uint32_t rc = ParsePosition(*to, true, stop)) return rc;
    }
    {
        std::lock_guard lock(mutex_);
        if (!from) start = position_ >= leadout_ ? starts_.front() : position_;
        if (stop <= start) return kOutOfRange;
        if (!from && playing_ && start == position_) {
            end_ = stop;  // already sounding from here: keep the buffered sectors
        } else {
            ++generation_;
            queue_.clear();
            position_ = start;
            frameInSector_ = 0;
            readNext_ = start;
            end_ = stop;
        }
        playing_ = true;
        paused_ = false;
    }
    wake_.notify_all();
    return kOk;
}

std::uint32_t CdAudioDevice::Stop() {
    if (!HasDisc()) return kDeviceNotReady;
    std::int32_t at;
    {
        std::lock_guard lock(mutex_);
        at = position_;
    }
    Halt(at, false);
    return kOk;
}

std::uint32_t CdAudioDevice::Pause() {
    if (!HasDisc()) return kDeviceNotReady;
    std::int32_t at;
    bool wasPlaying;
    {
        std::lock_guard lock(mutex_);
        at = position_;
        wasPlaying = playing_;
    }
    if (wasPlaying) Halt(at, true);
    return kOk;
}

std::uint32_t CdAudioDevice::Resume() {
    bool paused;
    {
        std::lock_guard lock(mutex_);
        paused = paused_;
    }
    return paused ? Play(nullptr, nullptr) : kOk;
}

std::uint32_t CdAudioDevice::Seek(const std::string& to) {
    if (!HasDisc()) return kDeviceNotReady;
    const std::string where = Lower(to);
    std::int32_t lsn = starts_.front();
    if (where == "end") {
        lsn = leadout_;
    } else if (where != "start") {
        if (const std::uint32_t rc = ParsePosition(to, true, lsn)) return rc;
    }
    Halt(lsn, false);
    return kOk;
}

std::uint32_t CdAudioDevice::Status(const std::vector<std::string>& item, std::string& reply) {
    const auto is = [&](std::initializer_list<const char*> words) {
        if (item.size() != words.size()) return false;
        std::size_t i = 0;
        for (const char* w : words)
            if (item[i++] != w) return false;
        return true;
    };
    if (item.empty()) return kMissingParameter;
    if (is({"media", "present"})) {
        reply = HasDisc() ? "true" : "false";
        return kOk;
    }
    if (is({"ready"})) {
        reply = HasDisc() ? "true" : "false";
        return kOk;
    }
    if (is({"time", "format"})) {
        reply = format_ == Format::Tmsf ? "tmsf" : format_ == Format::Msf ? "msf" : "milliseconds";
        return kOk;
    }
    if (is({"mode"})) {
        if (!HasDisc()) {
            reply = "not ready";
            return kOk;
        }
        std::lock_guard lock(mutex_);
        reply = playing_ ? "playing" : paused_ ? "paused" : "stopped";
        return kOk;
    }
    const bool known = is({"current", "track"}) || is({"number", "of", "tracks"}) ||
                       is({"position"}) || is({"length"}) ||
                       (item.size() == 3 &&
                        (is({"position", "track", item[2].c_str()}) ||
                         is({"length", "track", item[2].c_str()}) ||
                         is({"type", "track", item[2].c_str()})));
    if (!known) return kUnrecognizedKeyword;
    if (!HasDisc()) return kDeviceNotReady;

    std::int32_t position;
    {
        std::lock_guard lock(mutex_);
        position = position_;
    }
    if (is({"current", "track"})) {
        reply = std::to_string(firstTrack_ + TrackAt(position) - 1);
    } else if (is({"number", "of", "tracks"})) {
        reply = std::to_string(starts_.size());
    } else if (is({"position"})) {
        reply = FormatPosition(position, false);
    } else if (is({"length"})) {
        reply = FormatLength(leadout_ - starts_.front());
    } else {
        std::uint32_t track = 0;
        if (!ParseUnsigned(item[2], track)) return kBadInteger;
        if (track < static_cast<std::uint32_t>(firstTrack_) ||
            track - firstTrack_ >= starts_.size())
            return kOutOfRange;
        const std::size_t i = track - firstTrack_;
        if (item[0] == "position") {
            reply = FormatPosition(starts_[i], true);
        } else if (item[0] == "length") {
            const std::int32_t next = i + 1 < starts_.size() ? starts_[i + 1] : leadout_;
            reply = FormatLength(next - starts_[i]);
        } else {
            reply = audio_[i] ? "audio" : "other";
        }
    }
    return kOk;
}

std::uint32_t CdAudioDevice::SetTimeFormat(const std::string& format) {
    if (format == "tmsf") {
        format_ = Format::Tmsf;
    } else if (format == "msf") {
        format_ = Format::Msf;
    } else if (format == "milliseconds" || format == "ms") {
        format_ = Format::Milliseconds;
    } else {
        return kBadTimeFormat;
    }
    return kOk;
}

void CdAudioDevice::MixThunk(void* self, std::int16_t* samples, int frames) {
    static_cast<CdAudioDevice*>(self)->Mix(samples, frames);
}

// Audio thread: add buffered sectors to the block and move the position on.
// An empty queue sounds as silence and holds the position.
void CdAudioDevice::Mix(std::int16_t* out, int frames) {
    {
        std::lock_guard lock(mutex_);
        while (playing_ && frames > 0 && !queue_.empty()) {
            const Sector& sector = queue_.front();
            const int n = std::min(frames, kFramesPerSector - frameInSector_);
            const std::int16_t* in = sector.samples.data() + frameInSector_ * 2;
            for (int i = 0; i < n * 2; ++i) {
                const int sum = out[i] + in[i];
                out[i] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
            }
            out += n * 2;
            frames -= n;
            frameInSector_ += n;
            if (frameInSector_ == kFramesPerSector) {
                frameInSector_ = 0;
                queue_.pop_front();
                if (++position_ >= end_) {
                    playing_ = false;
                    // The end of the disc rewinds, so a later plain "play"
                    // starts the disc over.
                    if (end_ >= leadout_) position_ = starts_.front();
                    ++generation_;
                    queue_.clear();
                }
            }
        }
    }
    wake_.notify_one();
}

// Reader thread: keep about half a second of sectors ahead of the position.
void CdAudioDevice::ReaderLoop() {
    std::vector<std::uint8_t> raw;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] {
            return quit_ || (playing_ && queue_.size() < kReadAhead && readNext_ < end_);
        });
        if (quit_) return;
        const std::int32_t lsn = readNext_;
        const std::int32_t count = std::min<std::int32_t>(
            {kReadBatch, end_ - readNext_, static_cast<std::int32_t>(kReadAhead - queue_.size())});
        const std::uint64_t generation = generation_;
        lock.unlock();

        raw.assign(static_cast<std::size_t>(count) * CDIO_CD_FRAMESIZE_RAW, 0);
        const bool audio = audio_[TrackAt(lsn) - 1] && audio_[TrackAt(lsn + count - 1) - 1];
        // Data sectors and unreadable ones sound as silence.
        if (audio && cdio_read_audio_sectors(cdio_, raw.data(), lsn, count) != DRIVER_OP_SUCCESS)
            std::fill(raw.begin(), raw.end(), 0);
        if (!audio) std::fill(raw.begin(), raw.end(), 0);

        lock.lock();
        if (generation != generation_) continue;
        for (std::int32_t s = 0; s < count; ++s) {
            Sector sector{lsn + s, std::vector<std::int16_t>(kFramesPerSector * 2)};
            const std::uint8_t* bytes = raw.data() + static_cast<std::size_t>(s) * CDIO_CD_FRAMESIZE_RAW;
            for (int i = 0; i < kFramesPerSector * 2; ++i)  // CD-DA is little-endian
                sector.samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            queue_.push_back(std::move(sector));
        }
        readNext_ = lsn + count;
    }
}

}  // namespace cindral::platform::linux_music
