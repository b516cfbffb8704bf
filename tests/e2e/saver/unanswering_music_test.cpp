// The saver whatever its music source does: a disc "drive" that never answers,
// a disc image that never ends, a music file that is a pipe or too large to
// hold. Its window still shows, and a termination signal or a key still ends
// it within 200 ms.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "saver_fixture.h"
#include "test_media.h"
#include "x_clients.h"

namespace cindral::e2e {
namespace {

namespace fs = std::filesystem;
namespace test_support = platform::audio::test_support;

void Put32At(const std::string& path, std::streamoff at, std::uint32_t v) {
    std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
    f.seekp(at);
    const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    f.write(bytes, 4);
}

// A WAV file of `size` bytes whose header says so (the samples past the first
// tenth of a second are a hole in the file: silence that takes no disk).
void WriteLargeWav(const std::string& path, std::uint64_t size) {
    test_support::WriteWav(path, test_support::Tone(440, 0.1));
    fs::resize_file(path, size);
    Put32At(path, 4, static_cast<std::uint32_t>(size - 8));
    Put32At(path, 40, static_cast<std::uint32_t>(size - 44));
}

struct Source {
    const char* name;
    const char* id;  // the test's name
    // Makes the source in `dir`: the settings file's text, and CINDRAL_CDROM
    // ("" to leave it unset).
    std::pair<std::string, std::string> (*make)(const test_support::TempDir& dir);
};

std::string Fifo(const test_support::TempDir& dir, const std::string& name) {
    mkfifo((dir / name).c_str(), 0600);
    return dir / name;
}

std::string Link(const test_support::TempDir& dir, const std::string& name, const char* target) {
    fs::create_symlink(target, dir / name);
    return dir / name;
}

const Source kSources[] = {
    {"disc drive that is a pipe", "DriveIsAPipe",
     [](const test_support::TempDir& d) {
         return std::pair{MusicSettings(1), Fifo(d, "drive")};
     }},
    {"disc image linked to an endless zero device", "ImageIsZeroDevice",
     [](const test_support::TempDir& d) {
         return std::pair{MusicSettings(1), Link(d, "disc.cue", "/dev/zero")};
     }},
    {"disc image linked to an endless random device", "ImageIsRandomDevice",
     [](const test_support::TempDir& d) {
         return std::pair{MusicSettings(1), Link(d, "disc.cue", "/dev/urandom")};
     }},
    {"disc image that is a pipe", "ImageIsAPipe",
     [](const test_support::TempDir& d) {
         return std::pair{MusicSettings(1), Fifo(d, "disc.cue")};
     }},
    {"MP3 file that is a pipe", "Mp3IsAPipe",
     [](const test_support::TempDir& d) {
         return std::pair{MusicSettings(2, Fifo(d, "song.mp3")), std::string()};
     }},
    {"WAV file that is a pipe", "WavIsAPipe",
     [](const test_support::TempDir& d) {
         return std::pair{MusicSettings(2, Fifo(d, "song.wav")), std::string()};
     }},
    {"WAV file of 2 GiB", "WavOf2GiB",
     [](const test_support::TempDir& d) {
         WriteLargeWav(d / "huge.wav", std::uint64_t{2} << 30);
         return std::pair{MusicSettings(2, d / "huge.wav"), std::string()};
     }},
};

void PrintTo(const Source& s, std::ostream* os) { *os << s.name; }

class MusicSources : public SaverE2E, public ::testing::WithParamInterface<Source> {};

TEST_P(MusicSources, ShowsAndEndsWithin200MsWhateverTheSourceDoes) {
    StartServer(640, 480, 24);
    const Source& source = GetParam();
    FakeKeyboard keyboard(*x_);
    ASSERT_TRUE(keyboard.Ready()) << "no XTest connection to the server";
    {
        for (const char* ending : {"SIGTERM", "SIGINT", "key"}) {
            SCOPED_TRACE(std::string(source.name) + ", ended by " + ending);
            test_support::TempDir dir;
            auto [settings, cdrom] = source.make(dir);
            UseSettings(settings);
            Env env{{"SDL_AUDIODRIVER", "dummy"}};
            if (!cdrom.empty()) env["CINDRAL_CDROM"] = cdrom;
            Child c = StartChild({"/s"}, env);
            // Generous for a loaded machine; a source that holds the load
            // step never lets the window show.
            ASSERT_TRUE(WaitForSaverWindow(5000)) << ReadAll(c.stderrFd, 200);
            // Long enough for the music to be opening or playing.
            std::this_thread::sleep_for(300ms);
            ASSERT_FALSE(WaitExit(c.pid, 0)) << ReadAll(c.stderrFd, 200);
            const bool key = std::string(ending) == "key";
            // The key from a connection opened beforehand, timed from just
            // before it leaves.
            auto sent = Clock::now();
            if (key) {
                sent = keyboard.Key("a", true);
            } else {
                kill(c.pid, std::string(ending) == "SIGTERM" ? SIGTERM : SIGINT);
            }
            auto status = WaitExit(c.pid, 3000);
            const double ms = MsSince(sent);
            if (key) keyboard.Key("a", false);
            ASSERT_TRUE(status) << "still running 3 s later";
            EXPECT_EQ(*status, 0);
            EXPECT_LT(ms, 200.0);
            std::printf("%s, %s: ended %.1f ms after it was asked\n", source.name, ending, ms);
            close(c.stderrFd);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Unanswering, MusicSources, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return std::string(info.param.id); });

}  // namespace
}  // namespace cindral::e2e
