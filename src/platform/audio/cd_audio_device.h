#pragma once
// The "cdaudio" device: an audio CD in a drive, or a BIN/CUE image, read as
// CD-DA by libcdio on a reader thread and mixed into the shared output on the
// audio thread. Positions are kept as sector addresses (75 per second).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/audio_output.h"
#include "platform/audio/interpreter/mci_device.h"

namespace cindral::platform::audio {

class CdAudioDevice : public MciDevice {
  public:
    // Most a disc image's data may take: four times a full CD, and short
    // of where byte offsets into it would pass 32 bits.
    static constexpr std::uint64_t kMaxImageBytes = (2ull << 30) - 1;
    // Most a CUE sheet may take (a full one of 99 tracks takes some 10 KiB).
    static constexpr std::uint64_t kMaxCueBytes = 256 << 10;

    // `source` is a drive or image path; empty: CINDRAL_CDROM, else the
    // default drive. A drive is a block device: it is opened and its table
    // of contents read on the reader thread, so a slow or failing drive
    // never holds the caller ("mode" replies "not ready" meanwhile). An
    // image is a CUE sheet, or a BIN with its CUE sheet beside it, every file
    // of it regular; it is checked and read at once. Anything else (a FIFO,
    // a character device) is refused before it is opened.
    static std::uint32_t Open(const std::string& source, const CdioLibrary& cdio,
                              AudioOutput& output, std::unique_ptr<MciDevice>& device);
    // The background path on its own: `drive` (a drive, or any image libcdio
    // reads) is opened by the reader thread; a failure shows as no disc.
    static std::uint32_t OpenDrive(const std::string& drive, const CdioLibrary& cdio,
                                   AudioOutput& output, std::unique_ptr<MciDevice>& device);
    ~CdAudioDevice() override;

    std::uint32_t Play(const std::string* from, const std::string* to) override;
    std::uint32_t Stop() override;
    std::uint32_t Pause() override;
    std::uint32_t Resume() override;
    std::uint32_t Seek(const std::string& to) override;
    std::uint32_t Status(const std::vector<std::string>& item, std::string& reply) override;
    std::uint32_t SetTimeFormat(const std::string& format) override;

    struct Disc;  // shared with the reader and audio threads

  private:
    enum class Format { Msf, Tmsf, Milliseconds };

    CdAudioDevice(std::shared_ptr<Disc> disc, AudioOutput& output);
    bool Ready() const;
    int TrackAt(std::int32_t lsn) const;  // 1-based index into the track list
    std::uint32_t ParsePosition(const std::string& text, bool isEnd, std::int32_t& lsn) const;
    std::string FormatPosition(std::int32_t lsn, bool trackStart) const;
    std::string FormatLength(std::int32_t sectors) const;
    std::int32_t Position() const;
    void Halt(std::int32_t newPosition, bool paused);  // stop and place the head

    std::shared_ptr<Disc> disc_;
    AudioOutput& output_;
    Format format_ = Format::Msf;
};

}  // namespace cindral::platform::audio
