// A saver that plays no music loads no audio library: not SDL2 (whose
// Debian build brings a sound server's client and decoders along), not the
// mixer, the MP3 decoder or the CD library. Nor, scaled by the X server, any
// GL library.

#include <string>
#include <thread>
#include <vector>

#include "mapped_libraries.h"
#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

using platform::audio::test_support::MappedLibraries;

TEST_F(SaverE2E, WithoutMusicTheSaverMapsNoAudioOrGlLibrary) {
    StartServer(640, 480, 24);
    UseSettings(MusicSettings(0));
    const pid_t pid = Start({"/s"});
    ASSERT_TRUE(WaitForSaverWindow());
    std::this_thread::sleep_for(300ms);  // a few frames on
    const std::string id = std::to_string(pid);
    EXPECT_EQ(MappedLibraries(id, {"libSDL2-2.0", "libSDL2_mixer", "libmpg123", "libcdio",
                                   "libpulse", "libGL", "libEGL", "libgbm", "libdrm"}),
              std::vector<std::string>{});
    // The same look sees what the saver does load.
    EXPECT_EQ(MappedLibraries(id, {"libX11", "libXext", "libXrender"}),
              (std::vector<std::string>{"libX11", "libXext", "libXrender"}));
}

}  // namespace
}  // namespace cindral::e2e
