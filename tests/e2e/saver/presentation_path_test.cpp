// How the saver's frames reach the screen, chosen once at start and said on
// standard error when asked (CINDRAL_FIRST_FRAME_STAMP): the server scales
// where it has RENDER and MIT-SHM, the saver stretches without them, and the
// fire shows either way on 16-, 24- and 30-bit desktops. Xvfb drives no
// display, so frames never wait for a vertical blank there.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

TEST_F(SaverE2E, ThePresentationPathIsChosenAtStartAndSaid) {
    struct Case {
        const char* what;
        int depth;
        std::vector<std::string> serverArgs;
        const char* said;
    };
    const Case cases[] = {
        {"a 24-bit desktop", 24, {}, "renderer xrender vsync 0"},
        {"a 16-bit desktop", 16, {}, "renderer xrender vsync 0"},
        {"a 30-bit desktop", 30, {}, "renderer xrender vsync 0"},
        {"no RENDER", 24, {"-extension", "RENDER"}, "renderer xshm vsync 0"},
        {"a 30-bit desktop without RENDER", 30, {"-extension", "RENDER"}, "renderer xshm vsync 0"},
        {"no MIT-SHM", 24, {"-extension", "MIT-SHM"}, "renderer ximage vsync 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartServer(640, 480, c.depth, c.serverArgs);
        UseSettings(MusicSettings(0));
        Child saver = StartChild({"/s"}, {{"CINDRAL_FIRST_FRAME_STAMP", "1"}});
        const std::string line = ReadLine(saver.stderrFd, 5000);
        EXPECT_NE(line.find(c.said), std::string::npos) << line;
        EXPECT_TRUE(WaitForFire(*x_, "root", 640, 480, 3000));
        // The saver ends with its server, at the next case or the fixture's end.
    }
}

}  // namespace
}  // namespace cindral::e2e
