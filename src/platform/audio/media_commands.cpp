#include "platform/audio/media_commands.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/audio_output.h"
#include "platform/audio/cd_audio_device.h"
#include "platform/audio/file_music_device.h"
#include "platform/audio/interpreter/mci_errors.h"
#include "platform/audio/interpreter/mci_interpreter.h"
#include "platform/audio/sound_player.h"

namespace cindral::platform::audio {
namespace {

constexpr std::uint32_t kSndMemory = 0x0004;
constexpr std::uint32_t kSndNoStop = 0x0010;

// The real devices, each library loaded when its device is first opened.
class LinuxDevices final : public MciDevices {
  public:
    LinuxDevices(AudioOutput& output, std::string cdioLibrary)
        : output_(output), cdioLibrary_(std::move(cdioLibrary)) {}

    std::uint32_t OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) override {
        return FileMusicDevice::Open(path, output_, device);
    }
    std::uint32_t OpenCd(const std::string& source, std::unique_ptr<MciDevice>& device) override {
        const CdioLibrary* cdio = LoadCdioLibrary(cdioLibrary_);
        if (!cdio) return kCannotLoadDriver;
        return CdAudioDevice::Open(source, *cdio, output_, device);
    }

  private:
    AudioOutput& output_;
    std::string cdioLibrary_;
};

class LinuxMediaCommands final : public music::MediaCommands {
  public:
    explicit LinuxMediaCommands(const AudioLibraryNames& libraries)
        : output_(libraries.mixer, libraries.sdl), devices_(output_, libraries.cdio) {}
    ~LinuxMediaCommands() override { interpreter_.CloseAll(); }

    std::uint32_t mciSendStringA(const std::string& command, char* reply, std::uint32_t capacity,
                                 std::uintptr_t) override {
        return interpreter_.Send(command, reply, capacity);
    }

    bool mciGetErrorStringA(std::uint32_t code, char* text, std::uint32_t capacity) override {
        const std::string_view description = MciErrorText(code);
        if (description.empty() || !text || capacity == 0) return false;
        const std::size_t n = std::min<std::size_t>(description.size(), capacity - 1);
        std::memcpy(text, description.data(), n);
        text[n] = '\0';
        return true;
    }

    bool PlaySoundA(const char* sound, std::uintptr_t, std::uint32_t flags) override {
        if (sound && (flags & kSndNoStop) && sound_.Busy()) return false;
        if (!sound) {
            sound_.Stop();
            return true;
        }
        // Always in the background: nothing here may hold the caller while a
        // sound loads or plays. A text is always a file name (no aliases).
        if ((flags & kSndMemory) || !*sound) {
            sound_.Stop();
            return false;
        }
        return sound_.Play(sound, (flags & music::SND_LOOP) != 0);
    }

    std::uint32_t waveOutGetNumDevs() override { return output_.Open() == kOk ? 1 : 0; }

    void Silence() {
        sound_.Abandon();
        output_.Silence();
    }

  private:
    AudioOutput output_;  // first member: the devices close before it does
    SoundPlayer sound_{output_};
    LinuxDevices devices_;
    MciInterpreter interpreter_{devices_};
};

}  // namespace

void AbandonLinuxMediaCommandsAtExit(std::unique_ptr<music::MediaCommands>& layer) {
    if (auto* commands = dynamic_cast<LinuxMediaCommands*>(layer.get())) {
        commands->Silence();
        static_cast<void>(layer.release());  // deliberately never destroyed
    }
    layer.reset();
}

std::unique_ptr<music::MediaCommands> CreateLinuxMediaCommands(const AudioLibraryNames& libraries) {
    return std::make_unique<LinuxMediaCommands>(libraries);
}

}  // namespace cindral::platform::audio
