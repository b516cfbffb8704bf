#pragma once
// The "cdaudio" device: an audio CD in a drive, or a BIN/CUE image, read as
// CD-DA by libcdio on a reader thread and mixed into the shared output on the
// audio thread. Positions are kept as sector addresses (75 per second).

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/music/audio_output.h"
#include "platform/linux/music/mci_device.h"

typedef struct _CdIo CdIo_t;

namespace cindral::platform::linux_music {

class CdAudioDevice : public MciDevice {
public:
    // `source` is a drive or image path; empty: CINDRAL_CDROM, else the
    // default drive.
    static std::uint32_t Open(const std::string& source, AudioOutput& output,
                              std::unique_ptr<MciDevice>& device);
    ~CdAudioDevice() override;

    std::uint32_t Play(const std::string* from, const std::string* to) override;
    std::uint32_t Stop() override;
    std::uint32_t Pause() override;
    std::uint32_t Resume() override;
    std::uint32_t Seek(const std::string& to) override;
    std::uint32_t Status(const std::vector<std::string>& item, std::string& reply) override;
    std::uint32_t SetTimeFormat(const std::string& format) override;

private:
    enum class Format { Msf, Tmsf, Milliseconds };
    struct Sector {
        std::int32_t lsn;
        std::vector<std::int16_t> samples;  // 588 stereo frames
    };

    CdAudioDevice(CdIo_t* cdio, AudioOutput& output);
    bool HasDisc() const { return !starts_.empty(); }
    int TrackAt(std::int32_t lsn) const;  // 1-based index into starts_
    std::uint32_t ParsePosition(const std::string& text, bool isEnd, std::int32_t& lsn) const;
    std::string FormatPosition(std::int32_t lsn, bool trackStart) const;
    std::string FormatLength(std::int32_t sectors) const;
    void Halt(std::int32_t newPosition, bool paused);  // stop and place the head

    static void MixThunk(void* self, std::int16_t* samples, int frames);
    void Mix(std::int16_t* samples, int frames);
    void ReaderLoop();

    CdIo_t* cdio_;
    AudioOutput& output_;
    int firstTrack_ = 1;
    std::vector<std::int32_t> starts_;  // start LSN of each track, in order
    std::vector<bool> audio_;
    std::int32_t leadout_ = 0;
    Format format_ = Format::Msf;

    // Shared with the audio and reader threads.
    std::mutex mutex_;
    std::condition_variable wake_;
    bool playing_ = false;
    bool paused_ = false;
    bool quit_ = false;
    std::int32_t position_ = 0;  // sector of the next frame to sound
    int frameInSector_ = 0;
    std::int32_t end_ = 0;       // play stops before this sector
    std::int32_t readNext_ = 0;
    std::uint64_t generation_ = 0;
    std::deque<Sector> queue_;
    std::thread reader_;
};

}  // namespace cindral::platform::linux_music
