#include "platform/audio/cd_disc.h"

#include <algorithm>

namespace cindral::platform::audio {
namespace {

constexpr std::size_t kReadAhead = 40;  // about half a second
constexpr std::int32_t kReadBatch = 8;

}  // namespace

CdDisc::~CdDisc() {
    if (cdio) lib.cdio_destroy(cdio);
}

void CdDisc::LoadToc() {
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

void CdDisc::ReadSectors(std::int32_t lsn, std::int32_t count, std::vector<Sector>& out) {
    const auto trackOf = [this](std::int32_t at) {
        return std::upper_bound(starts.begin(), starts.end(), at) - starts.begin() - 1;
    };
    const bool isAudio = audio[std::max<long>(0, trackOf(lsn))] &&
                         audio[std::max<long>(0, trackOf(lsn + count - 1))];
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(count) * CDIO_CD_FRAMESIZE_RAW, 0);
    if (!isAudio || lib.cdio_read_audio_sectors(cdio, raw.data(), lsn, count) != DRIVER_OP_SUCCESS)
        std::fill(raw.begin(), raw.end(), 0);
    out.clear();
    for (std::int32_t s = 0; s < count; ++s) {
        Sector sector{lsn + s, std::vector<std::int16_t>(kFramesPerSector * 2)};
        const std::uint8_t* bytes =
            raw.data() + static_cast<std::size_t>(s) * CDIO_CD_FRAMESIZE_RAW;
        for (int i = 0; i < kFramesPerSector * 2; ++i)  // CD-DA is little-endian
            sector.samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        out.push_back(std::move(sector));
    }
}

void CdDisc::Run() {
    if (state.load(std::memory_order_acquire) == kLoading) {
        cdio = lib.cdio_open(drive.c_str(), DRIVER_UNKNOWN);
        LoadToc();
    }
    std::vector<Sector> read;
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
        // The drive may take its time: the others go on meanwhile.
        lock.unlock();
        ReadSectors(lsn, count, read);
        lock.lock();
        if (seen != generation) continue;
        for (Sector& sector : read) queue.push_back(std::move(sector));
        readNext = lsn + count;
    }
}

void CdDisc::Mix(std::int16_t* out, int frames) {
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

}  // namespace cindral::platform::audio
