// The player's calls queued to a thread of their own: nothing the window calls
// waits on a device, the calls keep their order, and the end does not wait
// for a device that hangs.

#include "saver/queued_music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace cindral::saver {
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

TEST(QueuedSaverMusic, PollsWaitingBehindAHeldDeviceAreSentOnce) {
    HeldDevice device;
    config::Settings settings{0, 1, 0, ""};
    QueuedSaverMusic music(device, settings);
    music.CdOpen();  // the drive takes its time to open
    for (int tick = 0; tick < 5; ++tick) music.CdPoll();
    music.CdNextTrack();
    music.CdPoll();  // behind another call: a poll of its own
    device.Release(false);
    ASSERT_TRUE(music.Finish(2000));
    const auto sent = device.Commands();
    // Every poll and every track step begins with the current track.
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "status cdaudio current track"), 3);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "status cdaudio mode"), 2);
}

TEST(QueuedSaverMusic, EndsWithoutWaitingForAStuckDevice) {
    // Left for the stuck thread, as the program leaves it; held by a static so
    // that the leak checker sees it reachable.
    static auto* const device = new HeldDevice;
    config::Settings settings{0, 2, 0, "C:\\a.mp3"};
    const auto start = Clock::now();
    {
        QueuedSaverMusic music(*device, settings);
        music.Mp3OpenPlay();
    }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(400));
    device->Release(false);
}

}  // namespace
}  // namespace cindral::saver
