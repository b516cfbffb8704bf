// Media sources that could hold whoever reads them (a FIFO, a device, a
// link to one, a CUE sheet without end, an image beyond any disc) are
// refused with an error code at once; good images still open. Each case runs
// in its own cindral-mci process with a bounded time, so a source that hangs
// fails the case instead of the suite.

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "layer_fixture.h"
#include "mci_process.h"

namespace cindral::platform::audio::test_support {
namespace {

struct SourceCase {
    const char* name;
    // Makes the source in `dir`; returns CINDRAL_CDROM's value (or "" to
    // leave it unset) and the command to send.
    std::function<std::pair<std::string, std::string>(const TempDir& dir)> make;
    std::string expected;  // the code of the reply to the command
};

std::string Fifo(const TempDir& dir, const std::string& name) {
    const std::string path = dir / name;
    mkfifo(path.c_str(), 0600);
    return path;
}

std::string Link(const TempDir& dir, const std::string& name, const std::string& target) {
    const std::string path = dir / name;
    symlink(target.c_str(), path.c_str());
    return path;
}

std::pair<std::string, std::string> Cd(const std::string& source) {
    return {source, "open cdaudio"};
}

std::pair<std::string, std::string> File(const std::string& path) {
    return {"", "open \"" + path + "\" type MPEGVideo alias m"};
}

// A CUE sheet of one audio track over `binName`.
void WriteCue(const std::string& path, const std::string& binName, const std::string& extra = "") {
    WriteBytes(
        path, "FILE \"" + binName + "\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n" + extra);
}

const SourceCase kSources[] = {
    {"drive is a FIFO", [](const TempDir& d) { return Cd(Fifo(d, "drive")); }, "296"},
    {"CUE links to /dev/zero",
     [](const TempDir& d) { return Cd(Link(d, "zero.cue", "/dev/zero")); }, "296"},
    {"CUE links to /dev/urandom",
     [](const TempDir& d) { return Cd(Link(d, "noise.cue", "/dev/urandom")); }, "296"},
    {"CUE is a FIFO", [](const TempDir& d) { return Cd(Fifo(d, "pipe.cue")); }, "296"},
    {"BIN is a FIFO",
     [](const TempDir& d) {
         Fifo(d, "pipe.bin");
         WriteCue(d / "disc.cue", "pipe.bin");
         return Cd(d / "disc.cue");
     },
     "296"},
    {"BIN beside its CUE is a FIFO",
     [](const TempDir& d) {
         WriteCue(d / "pipe.cue", "pipe.bin");
         return Cd(Fifo(d, "pipe.bin"));
     },
     "296"},
    {"CUE sheet over 256 KiB",
     [](const TempDir& d) {
         WriteBytes(d / "disc.bin", std::string(2352 * 75, '\0'));
         WriteCue(d / "disc.cue", "disc.bin", std::string(256 << 10, ' ') + "\n");
         return Cd(d / "disc.cue");
     },
     "296"},
    {"BIN over 2 GiB",
     [](const TempDir& d) {
         WriteBytes(d / "huge.bin", "");
         std::filesystem::resize_file(d / "huge.bin", (2ull << 30) + 2352);
         WriteCue(d / "huge.cue", "huge.bin");
         return Cd(d / "huge.cue");
     },
     "296"},
    {"BIN without a CUE sheet",
     [](const TempDir& d) {
         WriteBytes(d / "alone.bin", std::string(2352 * 75, '\0'));
         return Cd(d / "alone.bin");
     },
     "296"},
    {"good CUE sheet",
     [](const TempDir& d) {
         WriteBinCue(d / "good.cue", "good.bin", {Tone(440, 0.5)});
         return Cd(d / "good.cue");
     },
     "0"},
    {"good BIN with its CUE beside",
     [](const TempDir& d) {
         WriteBinCue(d / "good.cue", "good.bin", {Tone(440, 0.5)});
         return Cd(d / "good.bin");
     },
     "0"},
    {"music file is a FIFO", [](const TempDir& d) { return File(Fifo(d, "song.mp3")); }, "296"},
    {"music file links to /dev/zero",
     [](const TempDir& d) { return File(Link(d, "zero.mp3", "/dev/zero")); }, "296"},
    {"music file links to /dev/urandom",
     [](const TempDir& d) { return File(Link(d, "noise.wav", "/dev/urandom")); }, "296"},
};

TEST(MediaSourceTest, SourcesThatWouldHoldTheReaderAreRefusedAtOnce) {
    for (const SourceCase& c : kSources) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto [cdrom, command] = c.make(dir);
        std::vector<std::string> environment;
        if (!cdrom.empty()) environment.push_back("CINDRAL_CDROM=" + cdrom);
        const MciRun run = RunMci(command + "\n", environment, 5, dir.path().string());
        if (!run.finished) {
            ADD_FAILURE() << "no answer within 5 s";
            continue;
        }
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(run.lines[0].substr(0, run.lines[0].find('\t')), c.expected);
    }
}

// The sound call reads its file on a worker thread, but a FIFO or a device
// must not even get there: it is refused before anything is read.
TEST_F(LayerTest, SoundCallRefusesWhatIsNotARegularFile) {
    const std::string sources[] = {Fifo(dir, "sound.wav"), Link(dir, "zero.wav", "/dev/zero"),
                                   dir.path().string()};
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        EXPECT_FALSE(layer->PlaySoundA(source.c_str(), 0, music::SND_ASYNC | music::SND_LOOP));
    }
}

}  // namespace
}  // namespace cindral::platform::audio::test_support
