// cindral-mci: one output line per input line, code TAB reply.

#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "layer_fixture.h"

namespace cindral::testing {
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

}  // namespace
}  // namespace cindral::testing
