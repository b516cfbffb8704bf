// SDL2_mixer and libcdio are loaded only when music is played: a process
// that has run no music command maps neither, and one that cannot load them
// gets an error code for the command that needed them.

#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "layer_fixture.h"
#include "mapped_libraries.h"
#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio::test_support {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Polls `done` every 10 ms for up to 5 s.
template <typename Done>
bool Within5s(Done done) {
    for (int i = 0; i < 500; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (done()) return true;
    return false;
}

// The audio libraries of the layer that `pid` maps.
std::vector<std::string> MappedBy(const std::string& pid) {
    return MappedLibraries(pid, {"libSDL2-2.0", "libSDL2_mixer", "libcdio"});
}

TEST_F(LayerTest, MciToolMapsTheAudioLibrariesOnlyOnceMusicIsOpened) {
    layer.reset();
    const std::string pidFile = dir / "pid", out = dir / "lines";
    const std::string command = "sh -c 'echo $$ > \"" + pidFile +
                                "\"; exec env SDL_AUDIODRIVER=dummy \"" + CINDRAL_MCI_PATH +
                                "\" > \"" + out + "\" 2>/dev/null'";
    FILE* tool = popen(command.c_str(), "w");
    ASSERT_NE(tool, nullptr);
    std::string pid;
    ASSERT_TRUE(Within5s([&] { return !(pid = Slurp(pidFile)).empty() && pid.back() == '\n'; }));
    pid.pop_back();
    const auto lines = [&] {
        const std::string text = Slurp(out);
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    };
    const auto send = [&](const char* line, int answers) {
        std::fputs(line, tool);
        std::fflush(tool);
        return Within5s([&] { return lines() >= answers; });
    };

    EXPECT_EQ(MappedBy(pid), std::vector<std::string>{});
    // A command that opens nothing loads nothing.
    ASSERT_TRUE(send("status cdaudio mode\n", 1));
    EXPECT_EQ(MappedBy(pid), std::vector<std::string>{});
    ASSERT_TRUE(send("open cdaudio\n", 2));
    EXPECT_EQ(MappedBy(pid), (std::vector<std::string>{"libSDL2-2.0", "libSDL2_mixer", "libcdio"}));
    pclose(tool);
    EXPECT_EQ(Slurp(out), "263\t" + std::string(MciErrorText(263)) + "\n0\t\n");
}

struct MissingCase {
    const char* name;
    bool mixer, sdl, cdio;   // whether each library can be loaded
    std::uint32_t cd, file;  // codes of "open cdaudio" and of opening a WAV
};

TEST_F(LayerTest, ALibraryThatCannotBeLoadedIsAnErrorCode) {
    const MissingCase cases[] = {
        {"no mixer", false, true, true, 266, 266},
        // The mixer needs SDL2 itself: without it, as without the mixer.
        {"no SDL2", true, false, true, 266, 266},
        {"no CD library", true, true, false, 266, 0},
        {"none", false, false, false, 266, 266},
    };
    const std::string wav = dir / "a.wav";
    WriteWav(wav, Tone(550, 0.2));
    for (const MissingCase& c : cases) {
        SCOPED_TRACE(c.name);
        AudioLibraryNames names;
        if (!c.mixer) names.mixer = "libcindral-no-such-mixer.so.0";
        if (!c.sdl) names.sdl = "libcindral-no-such-sdl.so.0";
        if (!c.cdio) names.cdio = "libcindral-no-such-cdio.so.0";
        layer.reset();
        layer = CreateLinuxMediaCommands(names);
        EXPECT_EQ(Send("open cdaudio"), c.cd);
        EXPECT_EQ(Send("open \"" + wav + "\" type waveaudio alias w"), c.file);
        const bool output = c.mixer && c.sdl;
        EXPECT_EQ(layer->waveOutGetNumDevs(), output ? 1u : 0u);
        EXPECT_EQ(layer->PlaySoundA(wav.c_str(), 0, music::SND_ASYNC), output);
        EXPECT_NE(Describe(266), "<none>");
    }
}

}  // namespace
}  // namespace cindral::platform::audio::test_support
