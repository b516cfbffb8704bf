#include "music/bgm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recording_media_commands.h"

namespace cindral::music {
namespace {

using fakes::RecordingMediaCommands;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class BgmTest : public ::testing::Test {
  protected:
    RecordingMediaCommands port;
    config::Settings settings;
    Cindral_BGM bgm{port, settings};

    // A disc of `tracks` tracks, currently on `current`, in `mode`.
    void Disc(int tracks, int current, const std::string& mode) {
        port.Script("status cdaudio current track", 0, std::to_string(current));
        port.Script("status cdaudio number of tracks", 0, std::to_string(tracks));
        port.Script("status cdaudio mode", 0, mode);
        for (int t = 1; t <= tracks; ++t) {
            char pos[16];
            std::snprintf(pos, sizeof pos, "%02d:00:00:00", t);
            port.Script("status cdaudio position track " + std::to_string(t), 0, pos);
        }
        port.Script("status cdaudio position track 0", 282);
        port.Script("status cdaudio position track " + std::to_string(tracks + 1), 282);
    }
};

TEST_F(BgmTest, CommandRoutineRepliesAndErrors) {
    std::string reply = "old";
    EXPECT_EQ(bgm.MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_THAT(port.calls, IsEmpty());

    // A reply is read up to its first NUL, with the 512-character buffer.
    port.Script("status x mode", 0, std::string("playing\0junk", 12));
    EXPECT_EQ(bgm.MciSend("status x mode", reply), 0);
    EXPECT_EQ(reply, "playing");

    // A rejected command replies with the description of its code...
    port.Script("bogus", 261);
    port.descriptions[261] = "Unknown command.";
    EXPECT_EQ(bgm.MciSend("bogus", reply), 261);
    EXPECT_EQ(reply, "Unknown command.");
    // ...or with a fixed text when no description can be had.
    port.Script("worse", 999);
    EXPECT_EQ(bgm.MciSend("worse", reply), 999);
    EXPECT_EQ(reply, "Error (文字列が取れません)");

    EXPECT_THAT(port.calls, ElementsAre("send status x mode |512|0", "send bogus |512|0",
                                        "error 261 |256", "send worse |512|0", "error 999 |256"));
}

TEST_F(BgmTest, QueryTurnsFailuresIntoErrorAndCode) {
    port.Script("status cdaudio current track", 263);
    port.descriptions[263] = "Not open.";
    EXPECT_EQ(bgm.MciQuery("status cdaudio current track"), "Error:263");
    EXPECT_EQ(bgm.LastReply(), "Not open.");
    port.Script("status cdaudio current track", 0, "7");
    EXPECT_EQ(bgm.MciQuery("status cdaudio current track"), "7");
    EXPECT_EQ(bgm.LastReply(), "7");
}

TEST_F(BgmTest, PlayCommandForms) {
    bgm.MciPlay("cdaudio", "", "");
    bgm.MciPlay("cdaudio", "02:00:00:00", "");
    bgm.MciPlay("cdaudio", "", "03:00:00:00");
    bgm.MciPlay("MP3Play", "0", "1000");
    EXPECT_THAT(port.Commands(),
                ElementsAre("play cdaudio", "play cdaudio from 02:00:00:00",
                            "play cdaudio to 03:00:00:00", "play MP3Play from 0 to 1000"));
}

TEST_F(BgmTest, WholeDiscStartsAtFirstPollAndRestartsWhenStopped) {
    Disc(5, 1, "stopped");
    bgm.CdOpen();
    EXPECT_THAT(port.calls,
                ElementsAre("send open cdaudio |0|0", "send set cdaudio time format tmsf |0|0"));
    port.calls.clear();

    bgm.CdPoll();
    EXPECT_TRUE(bgm.CdAlive());
    EXPECT_THAT(port.calls,
                ElementsAre("send status cdaudio current track |512|0",
                            "send status cdaudio number of tracks |512|0",
                            "send status cdaudio mode |255|0", "send play cdaudio |512|0"));

    port.calls.clear();
    port.Script("status cdaudio mode", 0, "playing");
    bgm.CdPoll();
    EXPECT_EQ(port.Commands().size(), 3u);  // status queries only

    port.Script("status cdaudio mode", 0, "stopped");
    bgm.CdPoll();
    EXPECT_EQ(port.Commands().back(), "play cdaudio");
}

TEST_F(BgmTest, NoDiscStopsPolling) {
    port.Script("status cdaudio current track", 276);
    bgm.CdPoll();
    EXPECT_FALSE(bgm.CdAlive());
    EXPECT_THAT(port.Commands(), ElementsAre("status cdaudio current track"));

    Disc(3, 1, "stopped");
    port.Script("status cdaudio number of tracks", 276);
    port.calls.clear();
    bgm.CdPoll();
    EXPECT_FALSE(bgm.CdAlive());
    EXPECT_THAT(port.Commands(),
                ElementsAre("status cdaudio current track", "status cdaudio number of tracks"));
}

TEST_F(BgmTest, RepeatTrackUndoesASkipAtTheNextPoll) {
    settings.RepeatTrack = 3;
    Disc(5, 1, "stopped");
    bgm.CdPoll();  // starts track 3
    EXPECT_THAT(port.Commands(),
                ElementsAre("status cdaudio current track", "status cdaudio number of tracks",
                            "status cdaudio mode", "status cdaudio position track 3",
                            "play cdaudio from 03:00:00:00"));

    port.calls.clear();
    Disc(5, 3, "playing");
    bgm.CdPoll();  // on track 3: nothing to do
    EXPECT_EQ(port.Commands().size(), 3u);

    port.calls.clear();
    bgm.CdNextTrack();
    EXPECT_THAT(port.Commands(),
                ElementsAre("status cdaudio current track", "status cdaudio position track 4",
                            "play cdaudio from 04:00:00:00"));

    port.calls.clear();
    Disc(5, 4, "playing");
    bgm.CdPoll();
    EXPECT_TRUE(bgm.CdAlive());
    EXPECT_THAT(port.Commands(),
                ElementsAre("status cdaudio current track", "status cdaudio number of tracks",
                            "status cdaudio mode", "status cdaudio position track 3",
                            "play cdaudio from 03:00:00:00"));
}

TEST_F(BgmTest, RepeatOfATrackTheDiscLacksSendsNothingAndKeepsPolling) {
    settings.RepeatTrack = 9;
    Disc(5, 2, "stopped");
    port.Script("status cdaudio position track 9", 282);
    bgm.CdPoll();
    EXPECT_TRUE(bgm.CdAlive());
    EXPECT_EQ(port.Commands().back(), "status cdaudio position track 9");
}

TEST_F(BgmTest, SkipsPastEitherEndChangeNothing) {
    Disc(5, 1, "playing");
    bgm.CdPrevTrack();
    EXPECT_THAT(port.Commands(),
                ElementsAre("status cdaudio current track", "status cdaudio position track 0"));

    port.calls.clear();
    Disc(5, 5, "playing");
    bgm.CdNextTrack();
    EXPECT_THAT(port.Commands(),
                ElementsAre("status cdaudio current track", "status cdaudio position track 6"));

    port.calls.clear();
    Disc(5, 3, "playing");
    bgm.CdPrevTrack();
    EXPECT_EQ(port.Commands().back(), "play cdaudio from 02:00:00:00");

    // A failing current-track query stops the skip at once.
    port.calls.clear();
    port.Script("status cdaudio current track", 263);
    bgm.CdNextTrack();
    EXPECT_THAT(port.Commands(), ElementsAre("status cdaudio current track"));
}

TEST_F(BgmTest, CdExit) {
    bgm.CdStopClose();
    EXPECT_THAT(port.calls, ElementsAre("send stop cdaudio |0|0", "send close cdaudio |0|0"));
}

TEST_F(BgmTest, Mp3OpensWithQuotedPathPlaysAndRepeatsFromZero) {
    settings.MusicFile = "/home/a user/My Music/曲 1.mp3";
    bgm.Mp3OpenPlay();
    EXPECT_THAT(port.calls,
                ElementsAre("send open \"/home/a user/My Music/曲 1.mp3\" type MPEGVideo Alias "
                            "MP3Play |0|0",
                            "send play MP3Play |0|0"));

    port.calls.clear();
    port.Script("status MP3Play mode", 0, "playing");
    bgm.Mp3Repeat();
    EXPECT_THAT(port.calls, ElementsAre("send status MP3Play mode |30|0"));

    port.calls.clear();
    port.Script("status MP3Play mode", 0, "stopped");
    bgm.Mp3Repeat();
    EXPECT_THAT(port.Commands(),
                ElementsAre("status MP3Play mode", "stop MP3Play", "play MP3Play from 0"));

    port.calls.clear();
    bgm.Mp3StopClose();
    EXPECT_THAT(port.Commands(), ElementsAre("stop MP3Play", "close MP3Play"));
}

TEST_F(BgmTest, Mp3ThatCannotBeOpenedIsNotPlayedAndTicksFailQuietly) {
    settings.MusicFile = "C:\\x.mp3";
    port.Script("open \"C:\\x.mp3\" type MPEGVideo Alias MP3Play", 275);
    port.Script("status MP3Play mode", 263);
    port.Script("stop MP3Play", 263);
    port.Script("play MP3Play from 0", 263);
    bgm.Mp3OpenPlay();
    EXPECT_EQ(port.Commands().size(), 1u);
    bgm.Mp3Repeat();
    EXPECT_THAT(port.Commands(),
                ElementsAre("open \"C:\\x.mp3\" type MPEGVideo Alias MP3Play",
                            "status MP3Play mode", "stop MP3Play", "play MP3Play from 0"));
}

TEST_F(BgmTest, WavLoopsInTheBackgroundAndStopsWithTheNullSound) {
    settings.MusicFile = "C:\\Sounds\\fire loop.wav";
    bgm.WavPlay();
    bgm.WavStop();
    EXPECT_THAT(port.calls,
                ElementsAre("devs", "sound C:\\Sounds\\fire loop.wav |0|9", "sound <null> |0|0"));

    port.calls.clear();
    port.devices = 0;
    bgm.WavPlay();
    EXPECT_THAT(port.calls, ElementsAre("devs"));
}

TEST(MusicFileKindTest, EndingDecidesUpperCased) {
    EXPECT_EQ(MusicFileKindOf("C:\\a.MP3"), MusicFileKind::Mp3);
    EXPECT_EQ(MusicFileKindOf("/m/song.mp3"), MusicFileKind::Mp3);
    EXPECT_EQ(MusicFileKindOf("/m/loop.Wav"), MusicFileKind::Wav);
    EXPECT_EQ(MusicFileKindOf("/m/clip.mpeg"), MusicFileKind::None);
    EXPECT_EQ(MusicFileKindOf("/m/loop.wave"), MusicFileKind::None);
    EXPECT_EQ(MusicFileKindOf("mp3"), MusicFileKind::Mp3);
    EXPECT_EQ(MusicFileKindOf(""), MusicFileKind::None);
}

}  // namespace
}  // namespace cindral::music
