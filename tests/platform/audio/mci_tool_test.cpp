// cindral-mci: one output line per input line, code TAB reply.

#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "layer_fixture.h"
#include "mci_process.h"

namespace cindral::platform::audio::test_support {
namespace {

TEST_F(LayerTest, MciToolPrintsCodeTabReplyForEachLine) {
    layer.reset();
    const std::string input = dir / "in.txt";
    WriteBytes(input,
               "open cdaudio\r\n"
               "set cdaudio time format tmsf\n"
               "status cdaudio position track 3\n"
               "\n"
               "status cdaudio position track 9\n"
               "bogus\n");
    const std::string out = dir / "out.txt";
    const std::string command =
        std::string("'") + CINDRAL_MCI_PATH + "' < '" + input + "' > '" + out + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_THAT(lines, ::testing::ElementsAre(
                           "0\t", "0\t", "0\t03:00:00:00", "-1\tコマンド文字列が指定されていません",
                           "282\tA value is outside the range the device allows.",
                           "261\tThe command is not known to any media device."));
}

// A damaged MP3 is an error code, and the decoder's own messages about it
// stay off the terminal.
TEST_F(LayerTest, MciToolKeepsDecoderMessagesOffStandardError) {
    std::string damaged = "ID3";
    damaged.append(7, '\0');
    for (int i = 0; i < 70000; ++i) damaged += static_cast<char>((i * 7919) >> 5);
    WriteBytes(dir / "damaged.mp3", damaged);
    const MciRun run = RunMci("open \"" + dir / "damaged.mp3" + "\" type MPEGVideo alias m\n", {},
                              10, dir.path().string());
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0].substr(0, 4), "296\t");
    EXPECT_EQ(run.errors, "");
}

}  // namespace
}  // namespace cindral::platform::audio::test_support
