#pragma once
// The "cdaudio" device: an audio CD in a drive, or a BIN/CUE image, read as
// CD-DA by libcdio on a reader thread and mixed into the shared output on the
// audio thread. Positions are kept as sector addresses (75 per second).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/audio_output.h"
#include "platform/audio/cd_time_format.h"
#include "platform/audio/interpreter/mci_device.h"

namespace cindral::platform::audio {

struct CdDisc;

class CdAudioDevice : public MciDevice {
  public:
    // `source` is a drive or image path; empty: CINDRAL_CDROM, else the
    // default drive. A drive is a block device: it is opened and its table
    // of contents read on the reader thread, so a slow or failing drive
    // never holds the caller ("mode" replies "not ready" meanwhile). An
    // image is a CUE sheet, or a BIN with its CUE sheet beside it, every file
    // of it regular (cd_image.h); it is checked and read at once. Anything else (a FIFO,
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

  private:
    CdAudioDevice(std::shared_ptr<CdDisc> disc, AudioOutput& output);
    bool Ready() const;
    std::int32_t Position() const;
    void Halt(std::int32_t newPosition, bool paused);  // stop and place the head

    std::shared_ptr<CdDisc> disc_;  // shared with the reader and audio threads
    AudioOutput& output_;
    CdTimeFormat format_ = CdTimeFormat::Msf;
};

}  // namespace cindral::platform::audio
