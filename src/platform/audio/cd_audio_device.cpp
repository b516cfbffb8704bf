#include "platform/audio/cd_audio_device.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"
#include "platform/audio/regular_file.h"

namespace cindral::platform::audio {
namespace {

constexpr int kFramesPerSector = 588;  // stereo sample frames in one CD-DA sector
constexpr int kSectorsPerSecond = 75;
constexpr std::int32_t kPregap = 150;   // absolute addresses start 2 s before LSN 0
constexpr std::size_t kReadAhead = 40;  // about half a second
constexpr std::int32_t kReadBatch = 8;

void QuietLog(cdio_log_level_t, const char*) {}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           Lower(text.substr(text.size() - suffix.size())) == suffix;
}

// The text of a CUE sheet: a regular file of at most kMaxCueBytes, opened
// without waiting for a writer. 0 or an error code.
std::uint32_t ReadCue(const std::string& path, std::string& text) {
    int fd = -1;
    std::uint64_t size = 0;
    if (const std::uint32_t rc = OpenRegularFile(path, fd, size)) return rc;
    std::uint32_t rc = kOk;
    if (size > CdAudioDevice::kMaxCueBytes) {
        rc = kInvalidFile;
    } else {
        text.resize(static_cast<std::size_t>(size));
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = read(fd, text.data() + got, text.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
    }
    close(fd);
    return rc;
}

// Checks the files a CUE sheet names (relative to the sheet's folder): each
// a regular file, all of them together no larger than kMaxImageBytes, and
// at least one track. 0 or an error code.
std::uint32_t CheckCue(const std::string& cuePath, const std::string& text) {
    const std::string::size_type slash = cuePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : cuePath.substr(0, slash + 1);
    std::uint64_t total = 0;
    bool anyFile = false, anyTrack = false;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        const std::string::size_type at = line.find_first_not_of(" \t");
        if (at == std::string::npos) continue;
        if (Lower(line.substr(at, 6)) == "track ") anyTrack = true;
        if (Lower(line.substr(at, 5)) != "file ") continue;
        std::string name;
        const std::string::size_type q1 = line.find('"', at);
        const std::string::size_type q2 = q1 == std::string::npos ? q1 : line.find('"', q1 + 1);
        if (q2 != std::string::npos) {
            name = line.substr(q1 + 1, q2 - q1 - 1);
        } else {
            const std::string::size_type b = line.find_first_not_of(" \t", at + 5);
            const std::string::size_type e = line.find_first_of(" \t\r", b);
            if (b != std::string::npos) name = line.substr(b, e - b);
        }
        const std::string full = !name.empty() && name[0] == '/' ? name : folder + name;
        struct stat st {};
        if (name.empty() || stat(full.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
            return kFileNotFound;
        if (!S_ISREG(st.st_mode)) return kInvalidFile;
        total += static_cast<std::uint64_t>(st.st_size);
        anyFile = true;
    }
    if (!anyFile || !anyTrack || total > CdAudioDevice::kMaxImageBytes) return kInvalidFile;
    return kOk;
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

enum DiscState { kLoading, kReady, kNoDisc };

struct CdAudioDevice::Disc {
    struct Sector {
        std::int32_t lsn;
        std::vector<std::int16_t> samples;  // 588 stereo frames
    };

    explicit Disc(const CdioLibrary& library) : lib(library) {}
    ~Disc() {
        if (cdio) lib.cdio_destroy(cdio);
    }

    // Reader thread: open the drive if that is still to do, read the table
    // of contents, then keep about half a second of sectors ahead of the
    // position.
    void Run();
    void LoadToc();
    // Audio thread: add buffered sectors to the block and move the position
    // on. An empty queue sounds as silence and holds the position.
    void Mix(std::int16_t* samples, int frames);
    static void MixThunk(void* self, std::int16_t* samples, int frames) {
        static_cast<Disc*>(self)->Mix(samples, frames);
    }

    const CdioLibrary& lib;
    // Written before `state` turns kReady, fixed afterwards.
    std::string drive;
    CdIo_t* cdio = nullptr;
    int firstTrack = 1;
    std::vector<std::int32_t> starts;  // start LSN of each track, in order
    std::vector<bool> audio;
    std::int32_t leadout = 0;
    std::atomic<int> state{kLoading};

    std::mutex mutex;
    std::condition_variable wake;
    bool playing = false;
    bool paused = false;
    bool quit = false;
    std::int32_t position = 0;  // sector of the next frame to sound
    int frameInSector = 0;
    std::int32_t end = 0;  // play stops before this sector
    std::int32_t readNext = 0;
    std::uint64_t generation = 0;
    std::deque<Sector> queue;
};

void CdAudioDevice::Disc::LoadToc() {
    const track_t first = cdio ? lib.cdio_get_first_track_num(cdio) : track_t{CDIO_INVALID_TRACK};
    const track_t count = cdio ? lib.cdio_get_num_tracks(cdio) : track_t{CDIO_INVALID_TRACK};
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        state.store(kNoDisc, std::memory_order_release);
        return;
    }
    firstTrack = first;
    for (track_t t = first; t < first + count; ++t) {
        starts.push_back(lib.cdio_get_track_lsn(cdio, t));
        audio.push_back(lib.cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO);
    }
    leadout = lib.cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    // Tracks in order, each at least a sector long, or no disc at all.
    bool ordered = starts.front() >= 0;
    for (std::size_t i = 0; i < starts.size(); ++i)
        ordered = ordered && starts[i] < (i + 1 < starts.size() ? starts[i + 1] : leadout);
    if (!ordered) {
        starts.clear();
        audio.clear();
        state.store(kNoDisc, std::memory_order_release);
        return;
    }
    {
        std::lock_guard lock(mutex);
        position = starts.front();
        end = leadout;
    }
    state.store(kReady, std::memory_order_release);
}

void CdAudioDevice::Disc::Run() {
    if (state.load(std::memory_order_acquire) == kLoading) {
        cdio = lib.cdio_open(drive.c_str(), DRIVER_UNKNOWN);
        LoadToc();
    }
    std::vector<std::uint8_t> raw;
    std::unique_lock lock(mutex);
    while (true) {
        wake.wait(lock, [this] {
            return quit || (playing && queue.size() < kReadAhead && readNext < end);
        });
        if (quit) return;
        const std::int32_t lsn = readNext;
        const std::int32_t count = std::min<std::int32_t>(
            {kReadBatch, end - readNext, static_cast<std::int32_t>(kReadAhead - queue.size())});
        const std::uint64_t seen = generation;
        lock.unlock();

        const auto trackOf = [this](std::int32_t at) {
            return std::upper_bound(starts.begin(), starts.end(), at) - starts.begin() - 1;
        };
        const bool isAudio = audio[std::max<long>(0, trackOf(lsn))] &&
                             audio[std::max<long>(0, trackOf(lsn + count - 1))];
        raw.assign(static_cast<std::size_t>(count) * CDIO_CD_FRAMESIZE_RAW, 0);
        // Data sectors and unreadable ones sound as silence.
        if (!isAudio ||
            lib.cdio_read_audio_sectors(cdio, raw.data(), lsn, count) != DRIVER_OP_SUCCESS)
            std::fill(raw.begin(), raw.end(), 0);

        lock.lock();
        if (seen != generation) continue;
        for (std::int32_t s = 0; s < count; ++s) {
            Sector sector{lsn + s, std::vector<std::int16_t>(kFramesPerSector * 2)};
            const std::uint8_t* bytes =
                raw.data() + static_cast<std::size_t>(s) * CDIO_CD_FRAMESIZE_RAW;
            for (int i = 0; i < kFramesPerSector * 2; ++i)  // CD-DA is little-endian
                sector.samples[i] =
                    static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            queue.push_back(std::move(sector));
        }
        readNext = lsn + count;
    }
}

void CdAudioDevice::Disc::Mix(std::int16_t* out, int frames) {
    {
        std::lock_guard lock(mutex);
        while (playing && frames > 0 && !queue.empty()) {
            const Sector& sector = queue.front();
            const int n = std::min(frames, kFramesPerSector - frameInSector);
            const std::int16_t* in = sector.samples.data() + frameInSector * 2;
            for (int i = 0; i < n * 2; ++i)
                out[i] = static_cast<std::int16_t>(std::clamp(out[i] + in[i], -32768, 32767));
            out += n * 2;
            frames -= n;
            frameInSector += n;
            if (frameInSector == kFramesPerSector) {
                frameInSector = 0;
                queue.pop_front();
                if (++position >= end) {
                    playing = false;
                    // The end of the disc rewinds, so a later plain "play"
                    // starts the disc over.
                    if (end >= leadout) position = starts.front();
                    ++generation;
                    queue.clear();
                }
            }
        }
    }
    wake.notify_one();
}

std::uint32_t CdAudioDevice::Open(const std::string& source, const CdioLibrary& cdio,
                                  AudioOutput& output, std::unique_ptr<MciDevice>& device) {
    cdio.cdio_log_set_handler(QuietLog);  // the saver keeps no log
    std::string path = source;
    if (path.empty()) {
        const char* env = std::getenv("CINDRAL_CDROM");
        if (env && *env) path = env;
    }
    if (path.empty()) {
        // Finding the drive only looks at device nodes.
        char* drive = cdio.cdio_get_default_device(nullptr);
        if (!drive) return kDeviceNotInstalled;
        const std::string name = drive;
        std::free(drive);
        return OpenDrive(name, cdio, output, device);
    }
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return kFileNotFound;
    if (S_ISBLK(st.st_mode)) return OpenDrive(path, cdio, output, device);
    // A FIFO or a character device would hold whoever reads it.
    if (!S_ISREG(st.st_mode)) return kInvalidFile;

    // A BIN is read through the CUE sheet beside it.
    std::string cue = path;
    if (!EndsWithNoCase(path, ".cue")) {
        const std::string::size_type dot = path.rfind('.');
        const std::string::size_type slash = path.rfind('/');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            return kInvalidFile;
        cue = path.substr(0, dot) + ".cue";
    }
    std::string text;
    if (const std::uint32_t rc = ReadCue(cue, text))
        return rc == kFileNotFound && cue != path ? kInvalidFile : rc;
    if (const std::uint32_t rc = CheckCue(cue, text)) return rc;

    auto disc = std::make_shared<Disc>(cdio);
    disc->cdio = cdio.cdio_open_cue(cue.c_str());
    if (!disc->cdio) return kInvalidFile;
    disc->LoadToc();
    if (disc->state.load() != kReady) return kInvalidFile;
    if (const std::uint32_t rc = output.Open()) return rc;
    device.reset(new CdAudioDevice(std::move(disc), output));
    return kOk;
}

std::uint32_t CdAudioDevice::OpenDrive(const std::string& drive, const CdioLibrary& cdio,
                                       AudioOutput& output, std::unique_ptr<MciDevice>& device) {
    cdio.cdio_log_set_handler(QuietLog);
    if (const std::uint32_t rc = output.Open()) return rc;
    // Opening the drive may wait for the disc to spin up: the reader thread
    // does that.
    auto disc = std::make_shared<Disc>(cdio);
    disc->drive = drive;
    device.reset(new CdAudioDevice(std::move(disc), output));
    return kOk;
}

CdAudioDevice::CdAudioDevice(std::shared_ptr<Disc> disc, AudioOutput& output)
    : disc_(std::move(disc)), output_(output) {
    output_.SetExtraMix(&Disc::MixThunk, disc_.get());
    // The thread shares the disc, so closing never waits for a drive that
    // hangs: the thread ends, and frees the disc, when its call returns.
    std::thread([disc = disc_] { disc->Run(); }).detach();
}

CdAudioDevice::~CdAudioDevice() {
    output_.SetExtraMix(nullptr, nullptr);
    {
        std::lock_guard lock(disc_->mutex);
        disc_->quit = true;
        disc_->playing = false;
    }
    disc_->wake.notify_all();
}

bool CdAudioDevice::Ready() const { return disc_->state.load(std::memory_order_acquire) == kReady; }

int CdAudioDevice::TrackAt(std::int32_t lsn) const {
    const auto& starts = disc_->starts;
    const auto it = std::upper_bound(starts.begin(), starts.end(), lsn);
    return std::max<int>(1, static_cast<int>(it - starts.begin()));
}

std::uint32_t CdAudioDevice::ParsePosition(const std::string& text, bool isEnd,
                                           std::int32_t& lsn) const {
    const Disc& d = *disc_;
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
        if (f[0] < static_cast<std::uint32_t>(d.firstTrack) ||
            f[0] - d.firstTrack >= d.starts.size() || f[2] >= 60 || f[3] >= kSectorsPerSecond)
            return kOutOfRange;
        value = d.starts[f[0] - d.firstTrack] +
                (static_cast<std::int64_t>(f[1]) * 60 + f[2]) * kSectorsPerSecond + f[3];
    }
    if (value < 0 || value > d.leadout || (!isEnd && value == d.leadout)) return kOutOfRange;
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
            const std::int32_t offset =
                trackStart ? 0 : std::max(0, lsn - disc_->starts[index - 1]);
            return TwoDigits(disc_->firstTrack + index - 1) + ":" + Msf(offset);
        }
    }
    return {};
}

std::string CdAudioDevice::FormatLength(std::int32_t sectors) const {
    if (format_ == Format::Milliseconds)
        return std::to_string(static_cast<std::int64_t>(sectors) * 1000 / kSectorsPerSecond);
    return Msf(sectors);
}

std::int32_t CdAudioDevice::Position() const {
    std::lock_guard lock(disc_->mutex);
    return disc_->position;
}

void CdAudioDevice::Halt(std::int32_t newPosition, bool paused) {
    std::lock_guard lock(disc_->mutex);
    disc_->playing = false;
    disc_->paused = paused;
    ++disc_->generation;
    disc_->queue.clear();
    disc_->position = newPosition;
    disc_->frameInSector = 0;
}

std::uint32_t CdAudioDevice::Play(const std::string* from, const std::string* to) {
    if (!Ready()) return kDeviceNotReady;
    Disc& d = *disc_;
    std::int32_t start = 0;
    std::int32_t stop = d.leadout;
    if (from) {
        if (const std::uint32_t rc = ParsePosition(*from, false, start)) return rc;
    }
    if (to) {
        if (const std::uint32_t rc = ParsePosition(*to, true, stop)) return rc;
    }
    {
        std::lock_guard lock(d.mutex);
        if (!from) start = d.position >= d.leadout ? d.starts.front() : d.position;
        if (stop <= start) return kOutOfRange;
        if (!from && d.playing && start == d.position) {
            d.end = stop;  // already sounding from here: keep the buffered sectors
        } else {
            ++d.generation;
            d.queue.clear();
            d.position = start;
            d.frameInSector = 0;
            d.readNext = start;
            d.end = stop;
        }
        d.playing = true;
        d.paused = false;
    }
    d.wake.notify_all();
    return kOk;
}

std::uint32_t CdAudioDevice::Stop() {
    if (!Ready()) return kDeviceNotReady;
    Halt(Position(), false);
    return kOk;
}

std::uint32_t CdAudioDevice::Pause() {
    if (!Ready()) return kDeviceNotReady;
    bool playing;
    {
        std::lock_guard lock(disc_->mutex);
        playing = disc_->playing;
    }
    if (playing) Halt(Position(), true);
    return kOk;
}

std::uint32_t CdAudioDevice::Resume() {
    bool paused;
    {
        std::lock_guard lock(disc_->mutex);
        paused = disc_->paused;
    }
    return paused ? Play(nullptr, nullptr) : kOk;
}

std::uint32_t CdAudioDevice::Seek(const std::string& to) {
    if (!Ready()) return kDeviceNotReady;
    const std::string where = Lower(to);
    std::int32_t lsn = disc_->starts.front();
    if (where == "end") {
        lsn = disc_->leadout;
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
    const int state = disc_->state.load(std::memory_order_acquire);
    if (item.empty()) return kMissingParameter;
    if (is({"media", "present"}) || is({"ready"})) {
        reply = state == kReady ? "true" : "false";
        return kOk;
    }
    if (is({"time", "format"})) {
        reply = format_ == Format::Tmsf ? "tmsf" : format_ == Format::Msf ? "msf" : "milliseconds";
        return kOk;
    }
    if (is({"mode"})) {
        if (state != kReady) {
            reply = "not ready";
            return kOk;
        }
        std::lock_guard lock(disc_->mutex);
        reply = disc_->playing ? "playing" : disc_->paused ? "paused" : "stopped";
        return kOk;
    }
    const bool counts = is({"current", "track"}) || is({"number", "of", "tracks"});
    const bool known = counts || is({"position"}) || is({"length"}) ||
                       (item.size() == 3 && item[1] == "track" &&
                        (item[0] == "position" || item[0] == "length" || item[0] == "type"));
    if (!known) return kUnrecognizedKeyword;
    if (state == kLoading && counts) {
        // The drive is still being read: no track yet, and polling goes on.
        reply = "0";
        return kOk;
    }
    if (state != kReady) return kDeviceNotReady;

    const Disc& d = *disc_;
    if (is({"current", "track"})) {
        reply = std::to_string(d.firstTrack + TrackAt(Position()) - 1);
    } else if (is({"number", "of", "tracks"})) {
        reply = std::to_string(d.starts.size());
    } else if (is({"position"})) {
        reply = FormatPosition(Position(), false);
    } else if (is({"length"})) {
        reply = FormatLength(d.leadout - d.starts.front());
    } else {
        std::uint32_t track = 0;
        if (!ParseUnsigned(item[2], track)) return kBadInteger;
        if (track < static_cast<std::uint32_t>(d.firstTrack) ||
            track - d.firstTrack >= d.starts.size())
            return kOutOfRange;
        const std::size_t i = track - d.firstTrack;
        if (item[0] == "position") {
            reply = FormatPosition(d.starts[i], true);
        } else if (item[0] == "length") {
            const std::int32_t next = i + 1 < d.starts.size() ? d.starts[i + 1] : d.leadout;
            reply = FormatLength(next - d.starts[i]);
        } else {
            reply = d.audio[i] ? "audio" : "other";
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

}  // namespace cindral::platform::audio
