// The command interpreter over a recording fake of the devices: which device
// each command reaches, with which words, and what comes back.

#include "platform/audio/interpreter/mci_interpreter.h"

#include <gmock/gmock.h>

#include "fake_mci_devices.h"

namespace cindral::platform::audio {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct OpenCase {
    const char* command;
    std::uint32_t code;
    std::vector<std::string> log;  // the opens the factory saw
};

// The player opens a file as  open "<name>" type MPEGVideo Alias MP3Play.
// A name holding a quote, a blank and a keyword reads at first as a shorter
// name with stray words after it; the interpreter then opens the reading that
// names an existing file. Names without that shape reach the factory once,
// as they are.
TEST(MciInterpreterTest, NamesHoldingQuotesOpenTheFileThatExists) {
    const OpenCase cases[] = {
        {"open \"/m/plain.mp3\" type MPEGVideo Alias MP3Play", 0, {"open file /m/plain.mp3"}},
        {"open \"/m/missing.mp3\" type MPEGVideo Alias MP3Play", 275, {"open file /m/missing.mp3"}},
        {"open \"/m/a \"b\" c.mp3\" type MPEGVideo Alias MP3Play",
         0,
         {"open file /m/a \"b\" c.mp3"}},
        {"open \"/m/a\" type b.mp3\" type MPEGVideo Alias MP3Play",
         0,
         {"open file /m/a\" type b.mp3"}},
        {"open \"/m/x\" alias y.mp3\" type MPEGVideo Alias MP3Play",
         0,
         {"open file /m/x\" alias y.mp3"}},
        // Both readings name a file: the usual one wins.
        {"open \"/m/a\" alias z\"", 0, {"open file /m/a"}},
        // No reading names a file: the usual reading's answer.
        {"open \"/m/gone\" type b.mp3\" type MPEGVideo Alias MP3Play",
         295,
         {"open file /m/gone\" type b.mp3"}},
        {"open \"/m/unclosed.mp3 type MPEGVideo", 294, {}},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.command);
        fake::FakeMciDevices devices;
        devices.files = {
            "/m/plain.mp3", "/m/a \"b\" c.mp3", "/m/a\" type b.mp3", "/m/x\" alias y.mp3",
            "/m/a",         "/m/a\" alias z"};
        MciInterpreter interpreter(devices);
        EXPECT_EQ(interpreter.Send(c.command, nullptr, 0), c.code);
        EXPECT_THAT(devices.log, ElementsAreArray(c.log));
    }
}

struct CommandCase {
    const char* command;
    std::uint32_t code;
    const char* reply;  // when the code is 0
};

// What reaches an open device, and the codes the interpreter gives itself.
TEST(MciInterpreterTest, CommandsReachTheDeviceTheyName) {
    const CommandCase cases[] = {
        {"open cdaudio", 0, ""},
        {"open cdaudio alias other", 265, ""},  // one CD device at a time
        {"open \"/m/song.mp3\" type MPEGVideo alias Song", 0, ""},
        {"open \"/m/song.mp3\" type MPEGVideo alias song", 289, ""},
        {"open \"/m/song.mp3\" type sequencer alias s2", 263, ""},
        {"status SONG mode", 0, "stopped"},
        {"play song from 1000 wait", 0, ""},
        {"status song mode notify", 0, "playing"},
        {"seek song to 70000", 282, ""},
        {"seek song to 2000 extra", 305, ""},
        {"seek song", 273, ""},
        {"seek song from 1", 259, ""},
        {"set song time format ms", 0, ""},
        {"set song time format", 273, ""},
        {"set song door open", 274, ""},
        {"set song nothing", 259, ""},
        {"status song position", 0, "1000"},  // no seek above took
        {"stop song now", 259, ""},
        {"pause all", 279, ""},
        {"close song", 0, ""},
        {"status song mode", 263, ""},
        {"close all", 0, ""},
        {"status cdaudio mode", 263, ""},
        {"dance cdaudio", 261, ""},
        {"play", 292, ""},
        {"", 267, ""},
    };
    fake::FakeMciDevices devices;
    devices.files = {"/m/song.mp3"};
    MciInterpreter interpreter(devices);
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.command);
        char reply[64] = "untouched";
        const std::uint32_t code = interpreter.Send(c.command, reply, sizeof reply);
        EXPECT_EQ(code, c.code);
        EXPECT_STREQ(reply, code == 0 ? c.reply : "untouched");
    }
    EXPECT_THAT(devices.log, ElementsAre("open cd ", "open file /m/song.mp3", "play /m/song.mp3",
                                         "closed /m/song.mp3", "closed cd"));
}

TEST(MciInterpreterTest, RepliesEndAtTheBufferAndCommandsAtTheirNul) {
    fake::FakeMciDevices devices;
    MciInterpreter interpreter(devices);
    ASSERT_EQ(interpreter.Send("open cdaudio", nullptr, 0), 0u);
    char small[7] = "xxxxxx";
    EXPECT_EQ(interpreter.Send("status cdaudio mode", small, sizeof small), 268u);
    EXPECT_STREQ(small, "xxxxxx");
    char fits[8];
    EXPECT_EQ(interpreter.Send("status cdaudio mode", fits, sizeof fits), 0u);
    EXPECT_STREQ(fits, "stopped");
    EXPECT_EQ(interpreter.Send(std::string("status cdaudio mode\0 junk", 25), fits, sizeof fits),
              0u);
    EXPECT_EQ(interpreter.Send(std::string("\0status cdaudio mode", 20), fits, sizeof fits), 267u);
}

}  // namespace
}  // namespace cindral::platform::audio
