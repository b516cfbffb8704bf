// The media-command layer's words, replies and error codes.

#include <gmock/gmock.h>

#include "layer_fixture.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/cd_audio_device.h"
#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio::test_support {
namespace {

using CdCommandsTest = LayerTest;
using BadInputTest = LayerTest;

TEST_F(CdCommandsTest, TrackTableInEveryTimeFormat) {
    ASSERT_EQ(Send("open cdaudio"), 0u);
    // Default: minutes:seconds:frames from the start of the disc's 2 s lead-in.
    EXPECT_EQ(Reply("status cdaudio time format"), "msf");
    EXPECT_EQ(Reply("status cdaudio position track 2"), "00:03:00");
    EXPECT_EQ(Reply("status cdaudio number of tracks"), "3");
    EXPECT_EQ(Reply("status cdaudio length"), "00:03:00");
    EXPECT_EQ(Reply("status cdaudio type track 3"), "audio");
    EXPECT_EQ(Reply("status cdaudio media present"), "true");

    ASSERT_EQ(Send("set cdaudio time format tmsf"), 0u);
    EXPECT_EQ(Reply("status cdaudio position track 3"), "03:00:00:00");
    EXPECT_EQ(Reply("status cdaudio length track 2"), "00:01:00");
    EXPECT_EQ(Reply("status cdaudio current track"), "1");
    EXPECT_EQ(Reply("status cdaudio position"), "01:00:00:00");
    EXPECT_EQ(Reply("status cdaudio mode"), "stopped");

    ASSERT_EQ(Send("set cdaudio time format milliseconds"), 0u);
    EXPECT_EQ(Reply("status cdaudio position track 3"), "4000");

    // Seeking moves the head without playing; the reply follows the format.
    ASSERT_EQ(Send("set cdaudio time format tmsf"), 0u);
    ASSERT_EQ(Send("seek cdaudio to 02:00:00:30"), 0u);
    EXPECT_EQ(Reply("status cdaudio position"), "02:00:00:30");
    EXPECT_EQ(Reply("status cdaudio current track"), "2");
    EXPECT_EQ(Reply("status cdaudio mode"), "stopped");

    EXPECT_EQ(Send("set cdaudio time format frames"), 293u);
    EXPECT_EQ(Send("close cdaudio"), 0u);
    EXPECT_EQ(Send("status cdaudio mode"), 263u);
}

TEST_F(CdCommandsTest, KeywordsAreCaseBlindAndFlagsAreAccepted) {
    ASSERT_EQ(Send("OPEN CDAudio Alias Disc shareable wait"), 0u);
    EXPECT_EQ(Send("Set DISC Time Format TMSF"), 0u);
    EXPECT_EQ(Reply("STATUS disc POSITION TRACK 2"), "02:00:00:00");
    EXPECT_EQ(Send("open cdaudio"), 265u);  // one drive, already open
    EXPECT_EQ(Send("close all"), 0u);
    EXPECT_EQ(Send("status disc mode"), 263u);
}

TEST_F(BadInputTest, TrackNumbersTheDiscDoesNotHave) {
    ASSERT_EQ(Send("open cdaudio"), 0u);
    ASSERT_EQ(Send("set cdaudio time format tmsf"), 0u);
    EXPECT_EQ(Send("status cdaudio position track 0"), 282u);
    EXPECT_EQ(Send("status cdaudio position track 4"), 282u);
    EXPECT_EQ(Send("status cdaudio position track 4000000000"), 282u);
    EXPECT_EQ(Send("status cdaudio position track 99999999999999999999"), 270u);
    EXPECT_EQ(Send("status cdaudio position track -1"), 270u);
    EXPECT_EQ(Send("status cdaudio position track x"), 270u);
    EXPECT_EQ(Send("play cdaudio from 07:00:00:00"), 282u);
    EXPECT_EQ(Send("play cdaudio from 01:00:75:00"), 282u);  // 75 seconds
    EXPECT_EQ(Send("play cdaudio from 01:00:01:99"), 282u);  // 99 frames
    EXPECT_EQ(Send("play cdaudio from 02 to 01"), 282u);
    EXPECT_EQ(Send("play cdaudio from"), 273u);
    EXPECT_EQ(Send("play cdaudio from 1 from 2"), 295u);
    EXPECT_EQ(Reply("status cdaudio mode"), "stopped");  // none of them started play
}

TEST_F(BadInputTest, DevicesThatAreNotThere) {
    EXPECT_EQ(Send("play MP3Play"), 263u);
    EXPECT_EQ(Send("status cdaudio current track"), 263u);
    EXPECT_EQ(Send("open x type sequencer alias s"), 263u);
    EXPECT_EQ(Send("launch cdaudio"), 261u);
    EXPECT_EQ(Send("play"), 292u);
    EXPECT_EQ(Send("   "), 267u);
    EXPECT_EQ(Send("play all"), 279u);

    // A closed device is gone.
    const std::string wav = dir / "a.wav";
    WriteWav(wav, Tone(550, 0.2));
    ASSERT_EQ(Send("open \"" + wav + "\" type MPEGVideo alias w"), 0u);
    EXPECT_EQ(Send("open \"" + wav + "\" type MPEGVideo alias w"), 289u);
    ASSERT_EQ(Send("close w"), 0u);
    EXPECT_EQ(Send("play w"), 263u);
    EXPECT_EQ(Send("close w"), 263u);
}

TEST_F(BadInputTest, FilesThatCannotBePlayed) {
    EXPECT_EQ(Send("open \"" + dir / "missing.mp3" + "\" type MPEGVideo alias m"), 275u);
    WriteBytes(dir / "empty.mp3", "");
    EXPECT_EQ(Send("open \"" + dir / "empty.mp3" + "\" type MPEGVideo alias m"), 296u);
    std::string noise(6000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) >> 3);
    WriteBytes(dir / "corrupt.mp3", noise);
    EXPECT_EQ(Send("open \"" + dir / "corrupt.mp3" + "\" type MPEGVideo alias m"), 296u);
    EXPECT_EQ(Send("open \"" + dir.path().string() + "\" type MPEGVideo alias m"), 275u);
    EXPECT_EQ(Send("open \"" + dir / "x.mp3 type MPEGVideo alias m"), 294u);
    EXPECT_EQ(Send("open mpegvideo alias m"), 304u);
    EXPECT_EQ(Send("status m mode"), 263u);  // nothing was left open
    EXPECT_FALSE(layer->PlaySoundA((dir / "missing.wav").c_str(), 0, 9));
    EXPECT_FALSE(layer->PlaySoundA((dir / "empty.mp3").c_str(), 0, 9));
}

// Names go through the player's own open command. A quote followed by a
// blank and a keyword inside a name reads at first as the end of the name.
TEST_F(BadInputTest, PathsWithQuotesBlanksAndJapanese) {
    for (const std::string name :
         {"a \"quoted\" name.mp3", "炎の 曲.mp3", "a\" type b.mp3", "x\" alias y.mp3",
          "q\" type MPEGVideo Alias MP3Play.mp3", "end quote\"", "\" leading.mp3"}) {
        SCOPED_TRACE(name);
        config::Settings settings;
        settings.MusicFile = dir / name;
        ASSERT_TRUE(WriteMp3(settings.MusicFile, 660, 0.3));
        music::Cindral_BGM bgm(*layer, settings);
        bgm.Mp3OpenPlay();
        EXPECT_EQ(Reply("status MP3Play mode"), "playing");
        EXPECT_EQ(Send("close MP3Play"), 0u);
    }
}

// Seek takes the places play takes: up to the end, not past it.
TEST_F(BadInputTest, SeekPastTheEndOfAFileIsOutOfRange) {
    const std::string wav = dir / "half.wav";
    WriteWav(wav, Tone(550, 0.5));  // 500 ms
    ASSERT_EQ(Send("open \"" + wav + "\" type MPEGVideo alias w"), 0u);
    ASSERT_EQ(Send("seek w to 250"), 0u);
    EXPECT_EQ(Reply("status w position"), "250");
    for (const char* to : {"501", "4294967295"}) {
        SCOPED_TRACE(to);
        EXPECT_EQ(Send(std::string("seek w to ") + to), 282u);
        EXPECT_EQ(Send(std::string("play w from ") + to), 282u);
        EXPECT_EQ(Reply("status w position"), "250");
    }
    EXPECT_EQ(Send("seek w to 4294967296"), 270u);
    EXPECT_EQ(Send("seek w to 500"), 0u);
    EXPECT_EQ(Reply("status w position"), "500");
    EXPECT_EQ(Send("seek w to end"), 0u);
    EXPECT_EQ(Reply("status w position"), "500");
}

TEST_F(BadInputTest, DiscImagesThatCannotBeRead) {
    // A CUE sheet whose BIN is missing.
    WriteBytes(dir / "lost.cue",
               "FILE \"lost.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    setenv("CINDRAL_CDROM", (dir / "lost.cue").c_str(), 1);
    EXPECT_EQ(Send("open cdaudio"), 275u);
    setenv("CINDRAL_CDROM", (dir / "nowhere.cue").c_str(), 1);
    EXPECT_EQ(Send("open cdaudio"), 275u);
    WriteBytes(dir / "junk.cue", "this is not a cue sheet\n");
    setenv("CINDRAL_CDROM", (dir / "junk.cue").c_str(), 1);
    EXPECT_EQ(Send("open cdaudio"), 296u);

    // The player sees a dead drive: polling stops after the first try.
    config::Settings settings;
    settings.MusicKind = 1;
    music::Cindral_BGM bgm(*layer, settings);
    bgm.CdOpen();
    bgm.CdPoll();
    EXPECT_FALSE(bgm.CdAlive());
}

TEST_F(BadInputTest, RepliesThatDoNotFitAndErrorDescriptions) {
    ASSERT_EQ(Send("open cdaudio"), 0u);
    char small[3] = "xx";
    EXPECT_EQ(layer->mciSendStringA("status cdaudio position track 1", small, 3, 0), 268u);
    EXPECT_EQ(layer->mciSendStringA("status cdaudio number of tracks", small, 3, 0), 0u);
    EXPECT_STREQ(small, "3");
    EXPECT_EQ(layer->mciSendStringA("status cdaudio number of tracks", nullptr, 0, 0), 0u);
    // Everything after a NUL is not part of the command.
    EXPECT_EQ(Send(std::string("status cdaudio mode\0 garbage", 28)), 0u);

    for (std::uint32_t code : {261u, 263u, 265u, 267u, 268u, 270u, 273u, 275u, 276u, 279u,
                               282u, 289u, 292u, 293u, 294u, 295u, 296u, 304u, 306u, 326u})
        EXPECT_NE(Describe(code), "<none>") << code;
    EXPECT_EQ(Describe(0), "<none>");
    EXPECT_EQ(Describe(12345), "<none>");
    char tiny[8];
    ASSERT_TRUE(layer->mciGetErrorStringA(263, tiny, sizeof tiny));
    EXPECT_EQ(std::string(tiny), Describe(263).substr(0, 7));
}

TEST(SplitMciCommandTest, QuotedWordsKeepBlanksAndInnerQuotes) {
    using ::testing::ElementsAre;
    EXPECT_THAT(SplitMciCommand("  play\tMP3Play  from 0 ").words,
                ElementsAre("play", "MP3Play", "from", "0"));
    EXPECT_THAT(SplitMciCommand("open \"/m/a \"b\" c.mp3\" type MPEGVideo Alias x").words,
                ElementsAre("open", "/m/a \"b\" c.mp3", "type", "MPEGVideo", "Alias", "x"));
    EXPECT_THAT(SplitMciCommand("open \"/m/end\"").words, ElementsAre("open", "/m/end"));
    EXPECT_THAT(SplitMciCommand("open \"\" type cdaudio").words,
                ElementsAre("open", "", "type", "cdaudio"));
    EXPECT_EQ(SplitMciCommand("open \"/m/a.mp3 type x").error, kNoClosingQuote);
}

using DriveTest = LayerTest;

// A drive is read in the background: until its table of contents is in, the
// device answers "not ready" and track 0 rather than an error, so the
// player's polling outlives a disc that is spinning up.
TEST_F(DriveTest, ReadInTheBackgroundWithoutFailingThePoll) {
    layer.reset();
    AudioOutput output;
    const auto* cdio = LoadCdioLibrary(AudioLibraryNames{}.cdio);
    ASSERT_NE(cdio, nullptr);
    std::unique_ptr<MciDevice> drive;
    ASSERT_EQ(CdAudioDevice::OpenDrive(dir / "disc.cue", *cdio, output, drive), 0u);
    std::string mode, track;
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(drive->Status({"mode"}, mode), 0u);
        if (mode != "not ready") break;
        ASSERT_EQ(drive->Status({"current", "track"}, track), 0u);
        EXPECT_EQ(track, "0");
        Wait(0.01);
    }
    EXPECT_EQ(mode, "stopped");
    EXPECT_EQ(drive->Status({"number", "of", "tracks"}, track), 0u);
    EXPECT_EQ(track, "3");

    // A drive that cannot be opened ends up as one without a disc.
    ASSERT_EQ(CdAudioDevice::OpenDrive(dir / "no-drive", *cdio, output, drive), 0u);
    std::uint32_t rc = 0;
    for (int i = 0; i < 200 && rc == 0; ++i, Wait(0.01))
        rc = drive->Status({"current", "track"}, track);
    EXPECT_EQ(rc, 276u);
    EXPECT_EQ(drive->Status({"mode"}, mode), 0u);
    EXPECT_EQ(mode, "not ready");
    EXPECT_EQ(drive->Play(nullptr, nullptr), 276u);
}

}  // namespace
}  // namespace cindral::platform::audio::test_support
