// What the layer actually plays, read back from SDL's disk audio driver:
// tones are told apart by pitch, so each check names the track or file that
// must have sounded, in order.

#include <gmock/gmock.h>

#include "layer_fixture.h"

namespace cindral::platform::audio::test_support {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kTrack1 = 440, kTrack2 = 880, kTrack3 = 1320;

// The tones heard for at least 0.1 s, silence left out.
std::vector<int> Sounding(const std::vector<ToneRun>& runs) {
    std::vector<ToneRun> loud;
    for (const ToneRun& r : runs)
        if (r.hertz != 0) loud.push_back(r);
    return ToneSequence(loud, 0.1);
}

class CdPlaybackTest : public LayerTest {
  protected:
    std::vector<int> HeardTracks() { return Sounding(Heard({kTrack1, kTrack2, kTrack3})); }
    config::Settings settings;
};

TEST_F(CdPlaybackTest, PlayFromATrackPositionSoundsThatTrack) {
    ASSERT_EQ(Send("open cdaudio"), 0u);
    ASSERT_EQ(Send("set cdaudio time format tmsf"), 0u);
    ASSERT_EQ(Send("play cdaudio from 02:00:00:00"), 0u);
    EXPECT_EQ(Reply("status cdaudio mode"), "playing");
    Wait(0.5);
    EXPECT_EQ(Reply("status cdaudio current track"), "2");
    EXPECT_THAT(HeardTracks(), ElementsAre(kTrack2));
}

TEST_F(CdPlaybackTest, ArrowKeysSkipAndStopAtTheFirstTrack) {
    music::Cindral_BGM bgm(*layer, settings);
    bgm.CdOpen();
    bgm.CdPoll();  // starts the disc
    ASSERT_TRUE(bgm.CdAlive());
    Wait(0.35);
    bgm.CdNextTrack();
    Wait(0.35);
    bgm.CdPrevTrack();
    Wait(0.2);
    bgm.CdPrevTrack();  // already on track 1: nothing changes
    Wait(0.3);
    EXPECT_EQ(Reply("status cdaudio current track"), "1");
    bgm.CdStopClose();
    EXPECT_THAT(HeardTracks(), ElementsAre(kTrack1, kTrack2, kTrack1));
}

TEST_F(CdPlaybackTest, RepeatTrackReturnsAfterASkip) {
    settings.RepeatTrack = 2;
    music::Cindral_BGM bgm(*layer, settings);
    bgm.CdOpen();
    bgm.CdPoll();  // plays track 2
    Wait(0.3);
    bgm.CdPoll();  // still on track 2: left alone
    bgm.CdNextTrack();
    Wait(0.3);
    bgm.CdPoll();  // on track 3: back to track 2
    Wait(0.3);
    EXPECT_TRUE(bgm.CdAlive());
    bgm.CdStopClose();
    EXPECT_THAT(HeardTracks(), ElementsAre(kTrack2, kTrack3, kTrack2));
}

TEST_F(CdPlaybackTest, EndOfDiscStopsAndThePollStartsItOver) {
    music::Cindral_BGM bgm(*layer, settings);
    bgm.CdOpen();
    ASSERT_EQ(Send("play cdaudio from 03:00:00:55"), 0u);  // the last 20 frames
    Wait(0.6);
    EXPECT_EQ(Reply("status cdaudio mode"), "stopped");
    EXPECT_EQ(Reply("status cdaudio current track"), "1");
    bgm.CdPoll();
    Wait(0.3);
    EXPECT_EQ(Reply("status cdaudio mode"), "playing");
    bgm.CdStopClose();
    EXPECT_THAT(HeardTracks(), ElementsAre(kTrack3, kTrack1));
}

TEST_F(LayerTest, Mp3StartsOverFromZeroWhenThePollFindsItStopped) {
    config::Settings settings;
    settings.MusicKind = 2;
    settings.MusicFile = dir / "loop tone.mp3";
    ASSERT_TRUE(WriteMp3(settings.MusicFile, 660, 0.4));
    music::Cindral_BGM bgm(*layer, settings);
    bgm.Mp3OpenPlay();
    ASSERT_TRUE(bgm.Mp3IsPlaying());

    bool sawStopped = false;
    bool restartedFromZero = false;
    for (int tick = 0; tick < 14; ++tick) {
        Wait(0.1);
        if (!bgm.Mp3IsPlaying()) {
            sawStopped = true;
            bgm.Mp3Repeat();
            const std::string pos = Reply("status MP3Play position");
            restartedFromZero = restartedFromZero || std::stoi(pos) < 100;
        }
    }
    bgm.Mp3StopClose();
    EXPECT_TRUE(sawStopped);
    EXPECT_TRUE(restartedFromZero);
    // A single play of the file sounds 0.4 s; 1.4 s of polling repeats it.
    EXPECT_GE(SecondsOf(Heard({660}), 660), 0.7);
}

TEST_F(LayerTest, WavLoopsUntilTheNullSound) {
    config::Settings settings;
    settings.MusicFile = dir / "loop.wav";
    WriteWav(settings.MusicFile, Tone(550, 0.25));
    music::Cindral_BGM bgm(*layer, settings);
    bgm.WavPlay();
    Wait(1.0);
    bgm.WavStop();
    Wait(0.4);
    const std::vector<ToneRun> runs = Heard({550});
    EXPECT_GE(SecondsOf(runs, 550), 0.6);  // more than twice its length
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().hertz, 0);
    EXPECT_GE(runs.back().seconds, 0.25);
}

// The decoder is chosen by what the file holds, whatever its name ends in.
TEST_F(LayerTest, MusicFilesPlayByTheirContentNotTheirName) {
    struct Case {
        const char* name;
        bool mp3;
        int hertz;
    };
    const Case cases[] = {
        {"wave.mp3", false, 550},
        {"layer3.wav", true, 660},
        {"no ending", false, 770},
        {"upper.MP3", true, 880},
    };
    for (const Case& c : cases) {
        const std::string path = dir / c.name;
        if (c.mp3)
            ASSERT_TRUE(WriteMp3(path, c.hertz, 0.3));
        else
            WriteWav(path, Tone(c.hertz, 0.3));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Send("open \"" + dir / c.name + "\" type MPEGVideo alias m"), 0u);
        ASSERT_EQ(Send("play m"), 0u);
        Wait(0.45);
        ASSERT_EQ(Send("close m"), 0u);
    }
    const std::vector<ToneRun> runs = Heard({550, 660, 770, 880});
    for (const Case& c : cases) EXPECT_GE(SecondsOf(runs, c.hertz), 0.2) << c.name;
}

TEST_F(LayerTest, NoAudioOutputMeansNoWaveDeviceAndNoPlayback) {
    layer.reset();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    layer = CreateLinuxMediaCommands();
    EXPECT_EQ(layer->waveOutGetNumDevs(), 0u);
    const std::string wav = dir / "a.wav";
    WriteWav(wav, Tone(550, 0.2));
    EXPECT_FALSE(layer->PlaySoundA(wav.c_str(), 0, music::SND_ASYNC | music::SND_LOOP));
    EXPECT_EQ(Send("open \"" + wav + "\" type MPEGVideo alias w"), 326u);
    EXPECT_EQ(Send("open cdaudio"), 326u);
    EXPECT_EQ(Send("open \"" + dir / "gone.mp3" + "\" type MPEGVideo alias w"), 275u);
}

}  // namespace
}  // namespace cindral::platform::audio::test_support

namespace cindral::platform::audio::test_support {
namespace {

// Abandoning the layer for the program's end silences it at once and leaves
// the output running (never closed, so nothing waits for it). It runs in a
// child process: the output it leaves open would outlive the test.
TEST_F(LayerTest, AbandonedAtExitTheLayerFallsSilentAndIsGone) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto child = [this] {
        const std::string wav = dir / "loop.wav";
        WriteWav(wav, Tone(550, 0.25));
        if (!layer->PlaySoundA(wav.c_str(), 0, music::SND_ASYNC | music::SND_LOOP)) std::_Exit(2);
        if (Send("open cdaudio") != 0 || Send("play cdaudio") != 0) std::_Exit(3);
        Wait(0.6);
        AbandonLinuxMediaCommandsAtExit(layer);
        if (layer) std::_Exit(4);
        Wait(0.6);
        // The output goes on, silent: its last half second holds no tone.
        const std::vector<ToneRun> runs = ToneRuns(output, {440, 550, 880, 1320});
        if (runs.empty() || SecondsOf(runs, 550) < 0.3) std::_Exit(5);
        if (runs.back().hertz != 0 || runs.back().seconds < 0.45) std::_Exit(6);
        std::_Exit(0);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace cindral::platform::audio::test_support
