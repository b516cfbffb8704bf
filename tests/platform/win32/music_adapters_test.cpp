// The Windows music adapters: the player's calls queued to a thread of their
// own (nothing the window calls waits on a device), and the media commands
// over the real winmm.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/media_commands.h"
#include "platform/win32/queued_saver_music.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {
namespace {

using Clock = std::chrono::steady_clock;

// A device that holds every command until the test lets it go, and records
// the commands it got.
class HeldDevice final : public music::MediaCommands {
  public:
    std::uint32_t mciSendStringA(const std::string& command, char* reply, std::uint32_t capacity,
                                 std::uintptr_t) override {
        std::unique_lock<std::mutex> lock(mutex_);
        released_.wait(lock, [this] { return open_; });
        commands_.push_back(command);
        if (reply && capacity) reply[0] = '\0';
        return failAll_ ? 263u : 0u;
    }
    bool mciGetErrorStringA(std::uint32_t, char*, std::uint32_t) override { return false; }
    bool PlaySoundA(const char*, std::uintptr_t, std::uint32_t) override { return true; }
    std::uint32_t waveOutGetNumDevs() override { return 1; }

    void Release(bool failAll) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            open_ = true;
            failAll_ = failAll;
        }
        released_.notify_all();
    }
    std::vector<std::string> Commands() {
        std::lock_guard<std::mutex> lock(mutex_);
        return commands_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
    bool failAll_ = false;
    std::vector<std::string> commands_;
};

TEST(QueuedSaverMusic, ReturnsAtOnceWhileTheDeviceHoldsAndKeepsTheOrder) {
    HeldDevice device;
    config::Settings settings{0, 1, 0, ""};
    QueuedSaverMusic music(device, settings);
    const auto start = Clock::now();
    music.CdOpen();
    music.CdPoll();
    music.CdStopClose();
    const auto elapsed = Clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(100));
    EXPECT_TRUE(music.CdAlive());            // no poll has finished yet
    EXPECT_FALSE(music.Finish(50));          // still held
    EXPECT_TRUE(device.Commands().empty());  // nothing got through

    device.Release(true);  // every command fails: the poll finds no disc
    ASSERT_TRUE(music.Finish(2000));
    EXPECT_FALSE(music.CdAlive());
    EXPECT_EQ(device.Commands(), (std::vector<std::string>{
                                     "open cdaudio",
                                     "set cdaudio time format tmsf",
                                     "status cdaudio current track",
                                     "stop cdaudio",
                                     "close cdaudio",
                                 }));
}

TEST(QueuedSaverMusic, EndsWithoutWaitingForAStuckDevice) {
    auto* device = new HeldDevice;  // left for the stuck thread, as the program leaves it
    config::Settings settings{0, 2, 0, "C:\\a.mp3"};
    const auto start = Clock::now();
    {
        QueuedSaverMusic music(*device, settings);
        music.Mp3OpenPlay();
    }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(400));
    device->Release(false);
}

// Documented winmm values: MCIERR_BASE is 256; an unknown command word is
// MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5).
TEST(WinmmMediaCommands, ReportsTheSystemsErrorsAndTheirTexts) {
    WinmmMediaCommands winmm;
    char reply[512];
    EXPECT_EQ(winmm.mciSendStringA("frobnicate cdaudio", reply, sizeof reply, 0), 261u);
    char text[256] = {};
    ASSERT_TRUE(winmm.mciGetErrorStringA(261, text, sizeof text));
    EXPECT_GT(std::string(text).size(), 5u);

    const std::string open =
        "open \"C:\\no such folder\\\xE7\x81\xAB.mp3\" type MPEGVideo Alias MP3Play";
    EXPECT_NE(winmm.mciSendStringA(open, nullptr, 0, 0), 0u);
    // The alias was not made, so a query about it fails as well.
    EXPECT_NE(winmm.mciSendStringA("status MP3Play mode", reply, 30, 0), 0u);
}

// A sound is always a file (SND_FILENAME, 0x20000) and never the system's
// default sound in its place (SND_NODEFAULT, 2); the player's own flags stay.
TEST(WinmmMediaCommands, PlaysFilesOnlyAndAMissingOneAsNothing) {
    EXPECT_EQ(SoundFileFlags(music::SND_ASYNC | music::SND_LOOP), 0x20000u | 2u | 9u);
    EXPECT_EQ(SoundFileFlags(0), 0x20002u);
    WinmmMediaCommands winmm;
    // Waited for (no SND_ASYNC), so the failure shows in the result.
    EXPECT_FALSE(winmm.PlaySoundA("C:\\no such folder\\fire.wav", 0, 0));
    EXPECT_TRUE(winmm.PlaySoundA(nullptr, 0, 0));
}

}  // namespace
}  // namespace cindral::platform::win32
