// The sound call's player: files too large to hold are refused before any
// reading, and the player's end never waits for a load in progress.

#include "platform/audio/sound_player.h"

#include <gmock/gmock.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "layer_fixture.h"

namespace cindral::platform::audio::test_support {
namespace {

constexpr std::uint64_t kMiB = 1 << 20;

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i)));
}

// A PCM WAV header declaring `dataBytes` of samples, the file made that long
// without writing them (a sparse file).
void WriteWavHeader(const std::string& path, std::uint32_t rate, int channels, int bits,
                    std::uint64_t dataBytes) {
    {
        std::ofstream out(path, std::ios::binary);
        const std::uint32_t declared =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(dataBytes, 0xFFFFFFFFu - 36));
        out.write("RIFF", 4);
        Put(out, 36 + declared, 4);
        out.write("WAVEfmt ", 8);
        Put(out, 16, 4);
        Put(out, 1, 2);
        Put(out, static_cast<std::uint32_t>(channels), 2);
        Put(out, rate, 4);
        Put(out, rate * channels * bits / 8, 4);
        Put(out, static_cast<std::uint32_t>(channels * bits / 8), 2);
        Put(out, static_cast<std::uint32_t>(bits), 2);
        out.write("data", 4);
        Put(out, declared, 4);
    }
    std::filesystem::resize_file(path, 44 + dataBytes);
}

void WriteOther(const std::string& path, std::uint64_t bytes) {
    WriteBytes(path, "ID3");
    std::filesystem::resize_file(path, bytes);
}

// A loader that reads nothing: it counts its calls and, while `hold` is
// set, waits until released.
struct FakeLoads {
    std::mutex mutex;
    std::condition_variable changed;
    int calls = 0;
    bool hold = false;
    bool returned = false;

    SoundPlayer::Loader Loader(const std::shared_ptr<FakeLoads>& self) {
        return [self](const MixerLibrary&, int fd) -> Mix_Chunk* {
            close(fd);
            std::unique_lock lock(self->mutex);
            ++self->calls;
            self->changed.notify_all();
            self->changed.wait(lock, [&] { return !self->hold; });
            self->returned = true;
            self->changed.notify_all();
            return nullptr;
        };
    }
    template <typename Done>
    bool WaitFor(Done done, double seconds) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::duration<double>(seconds), done);
    }
};

struct SizeCase {
    const char* name;
    std::function<void(const std::string& path)> make;
    bool accepted;
};

TEST_F(LayerTest, SoundsTooLargeToHoldAreRefusedBeforeReading) {
    // The limit is 256 MiB of 16-bit stereo at 44.1 kHz once decoded, and
    // 16 MiB of file for anything that is not a WAV.
    const SizeCase cases[] = {
        {"output format, 255 MiB", [](auto& p) { WriteWavHeader(p, 44100, 2, 16, 255 * kMiB); },
         true},
        {"output format, 257 MiB", [](auto& p) { WriteWavHeader(p, 44100, 2, 16, 257 * kMiB); },
         false},
        {"output format, 2 GiB", [](auto& p) { WriteWavHeader(p, 44100, 2, 16, 2048 * kMiB); },
         false},
        // 60 MiB of 22.05 kHz mono is 31.5 M frames, 240 MiB once doubled
        // in rate and channels.
        {"mono 22.05 kHz, 60 MiB", [](auto& p) { WriteWavHeader(p, 22050, 1, 16, 60 * kMiB); },
         true},
        // 20 MiB of 8-bit mono at 11.025 kHz is 320 MiB at the output.
        {"8-bit mono 11.025 kHz, 20 MiB",
         [](auto& p) { WriteWavHeader(p, 11025, 1, 8, 20 * kMiB); }, false},
        {"not a WAV, 15 MiB", [](auto& p) { WriteOther(p, 15 * kMiB); }, true},
        {"not a WAV, 17 MiB", [](auto& p) { WriteOther(p, 17 * kMiB); }, false},
    };
    layer.reset();
    AudioOutput output;
    auto loads = std::make_shared<FakeLoads>();
    SoundPlayer player(output, loads->Loader(loads));
    int expectedCalls = 0;
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / "sound.wav";
        c.make(path);
        EXPECT_EQ(player.Play(path, false), c.accepted);
        if (c.accepted) ++expectedCalls;
        EXPECT_TRUE(loads->WaitFor([&] { return loads->calls == expectedCalls; }, 5));
        std::filesystem::remove(path);
    }
}

TEST_F(LayerTest, ThePlayersEndDoesNotWaitForALoadInProgress) {
    layer.reset();
    AudioOutput output;
    auto loads = std::make_shared<FakeLoads>();
    loads->hold = true;
    const std::string wav = dir / "a.wav";
    WriteWav(wav, Tone(550, 0.2));
    // Lets the load go after 3 s whatever happens, so a player that waits
    // for it fails the test instead of hanging it.
    std::atomic<bool> releasedByWatchdog = false;
    std::thread watchdog([&] {
        loads->WaitFor([&] { return loads->returned; }, 3);
        std::lock_guard lock(loads->mutex);
        if (loads->hold) releasedByWatchdog = true;
        loads->hold = false;
        loads->changed.notify_all();
    });
    {
        SoundPlayer player(output, loads->Loader(loads));
        ASSERT_TRUE(player.Play(wav, true));
        ASSERT_TRUE(loads->WaitFor([&] { return loads->calls == 1; }, 5));
        EXPECT_TRUE(player.Busy());
    }
    EXPECT_FALSE(releasedByWatchdog) << "the player waited for the load to end";
    {
        std::lock_guard lock(loads->mutex);
        loads->hold = false;
        loads->changed.notify_all();
    }
    EXPECT_TRUE(loads->WaitFor([&] { return loads->returned; }, 5));
    watchdog.join();
}

}  // namespace
}  // namespace cindral::platform::audio::test_support
