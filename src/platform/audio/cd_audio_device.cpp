#include "platform/audio/cd_audio_device.h"

#include <sys/stat.h>

#include <cstdlib>
#include <thread>

#include "platform/audio/cd_disc.h"
#include "platform/audio/cd_image.h"
#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {
namespace {

void QuietLog(cdio_log_level_t, const char*) {}

}  // namespace

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

    std::string cue;
    if (const std::uint32_t rc = CheckCueImage(path, cue)) return rc;

    auto disc = std::make_shared<CdDisc>(cdio);
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
    auto disc = std::make_shared<CdDisc>(cdio);
    disc->drive = drive;
    device.reset(new CdAudioDevice(std::move(disc), output));
    return kOk;
}

CdAudioDevice::CdAudioDevice(std::shared_ptr<CdDisc> disc, AudioOutput& output)
    : disc_(std::move(disc)), output_(output) {
    output_.SetExtraMix(&CdDisc::MixThunk, disc_.get());
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
    CdDisc& d = *disc_;
    std::int32_t start = 0;
    std::int32_t stop = d.leadout;
    if (from) {
        if (const std::uint32_t rc = ParseCdPosition(*from, format_, d, false, start)) return rc;
    }
    if (to) {
        if (const std::uint32_t rc = ParseCdPosition(*to, format_, d, true, stop)) return rc;
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
        if (const std::uint32_t rc = ParseCdPosition(to, format_, *disc_, true, lsn)) return rc;
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
        reply = CdTimeFormatName(format_);
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

    const CdDisc& d = *disc_;
    if (is({"current", "track"})) {
        reply = std::to_string(d.firstTrack + d.TrackAt(Position()) - 1);
    } else if (is({"number", "of", "tracks"})) {
        reply = std::to_string(d.starts.size());
    } else if (is({"position"})) {
        reply = FormatCdPosition(Position(), false, format_, d);
    } else if (is({"length"})) {
        reply = FormatCdLength(d.leadout - d.starts.front(), format_);
    } else {
        std::uint32_t track = 0;
        if (!ParseUnsigned(item[2], track)) return kBadInteger;
        if (track < static_cast<std::uint32_t>(d.firstTrack) ||
            track - d.firstTrack >= d.starts.size())
            return kOutOfRange;
        const std::size_t i = track - d.firstTrack;
        if (item[0] == "position") {
            reply = FormatCdPosition(d.starts[i], true, format_, d);
        } else if (item[0] == "length") {
            const std::int32_t next = i + 1 < d.starts.size() ? d.starts[i + 1] : d.leadout;
            reply = FormatCdLength(next - d.starts[i], format_);
        } else {
            reply = d.audio[i] ? "audio" : "other";
        }
    }
    return kOk;
}

std::uint32_t CdAudioDevice::SetTimeFormat(const std::string& format) {
    return ParseCdTimeFormat(format, format_);
}

}  // namespace cindral::platform::audio
