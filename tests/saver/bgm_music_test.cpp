// The music player as the saver drives it: each call of the saver's music port
// reaches the player's routine of the same name, and nothing else.

#include "saver/bgm_music.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../music/recording_media_commands.h"

namespace cindral::saver {
namespace {

using music::fakes::RecordingMediaCommands;

// The media commands a call sends, on a fresh player with CD and file music
// set up so that every routine has something to say.
std::vector<std::string> CommandsOf(const std::function<void(music::Cindral_BGM&)>& call) {
    RecordingMediaCommands port;
    port.Script("status cdaudio number of tracks", 0, "3");
    port.Script("status cdaudio current track", 0, "2");
    port.Script("status cdaudio mode", 0, "playing");
    port.Script("status mp3 mode", 0, "stopped");
    config::Settings settings;
    settings.MusicFile = "/music/song.mp3";
    music::Cindral_BGM bgm(port, settings);
    call(bgm);
    return port.calls;
}

TEST(BgmSaverMusic, EveryCallReachesThePlayersRoutineOfTheSameName) {
    using Bgm = music::Cindral_BGM;
    struct Case {
        std::string name;
        std::function<void(SaverMusic&)> viaPort;
        std::function<void(Bgm&)> direct;
    };
    const std::vector<Case> cases = {
        {"CdOpen", [](SaverMusic& m) { m.CdOpen(); }, [](Bgm& b) { b.CdOpen(); }},
        {"CdPoll", [](SaverMusic& m) { m.CdPoll(); }, [](Bgm& b) { b.CdPoll(); }},
        {"CdPrevTrack", [](SaverMusic& m) { m.CdPrevTrack(); }, [](Bgm& b) { b.CdPrevTrack(); }},
        {"CdNextTrack", [](SaverMusic& m) { m.CdNextTrack(); }, [](Bgm& b) { b.CdNextTrack(); }},
        {"CdStopClose", [](SaverMusic& m) { m.CdStopClose(); }, [](Bgm& b) { b.CdStopClose(); }},
        {"Mp3OpenPlay", [](SaverMusic& m) { m.Mp3OpenPlay(); }, [](Bgm& b) { b.Mp3OpenPlay(); }},
        {"Mp3Repeat", [](SaverMusic& m) { m.Mp3Repeat(); }, [](Bgm& b) { b.Mp3Repeat(); }},
        {"Mp3StopClose", [](SaverMusic& m) { m.Mp3StopClose(); }, [](Bgm& b) { b.Mp3StopClose(); }},
        {"WavPlay", [](SaverMusic& m) { m.WavPlay(); }, [](Bgm& b) { b.WavPlay(); }},
        {"WavStop", [](SaverMusic& m) { m.WavStop(); }, [](Bgm& b) { b.WavStop(); }},
    };
    std::vector<std::vector<std::string>> seen;
    for (const Case& c : cases) {
        const auto direct = CommandsOf(c.direct);
        const auto viaPort = CommandsOf([&](Bgm& b) {
            BgmSaverMusic music(b);
            c.viaPort(music);
        });
        EXPECT_EQ(viaPort, direct) << c.name;
        EXPECT_FALSE(direct.empty()) << c.name << " says nothing: the comparison proves nothing";
        seen.push_back(direct);
    }
    // The routines differ, so a call wired to the wrong one shows.
    for (std::size_t i = 0; i < seen.size(); ++i) {
        for (std::size_t j = i + 1; j < seen.size(); ++j) {
            EXPECT_NE(seen[i], seen[j]) << cases[i].name << " / " << cases[j].name;
        }
    }
}

TEST(BgmSaverMusic, CdAliveIsThePlayersFlag) {
    RecordingMediaCommands port;
    config::Settings settings;
    music::Cindral_BGM bgm(port, settings);
    BgmSaverMusic music(bgm);
    port.Script("open cdaudio", 263);  // no disc drive
    music.CdOpen();
    EXPECT_EQ(music.CdAlive(), bgm.CdAlive());
    EXPECT_FALSE(music.CdAlive());
}

}  // namespace
}  // namespace cindral::saver
