#include "saver/window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "display/memory_surface.h"

namespace cindral::saver {
namespace {

using Log = std::vector<std::string>;

struct RecFire : SaverFire {
    Log& log;
    std::int16_t randomPick = 3;
    bool paletteOk = true;
    std::string throwOn;
    explicit RecFire(Log& l) : log(l) {}
    void Note(const std::string& s) {
        log.push_back(s);
        if (s == throwOn) throw std::runtime_error(s);
    }
    void ChooseAndParse(std::int16_t& kind, int) override {
        if (kind == 8) kind = randomPick;
        Note("ChooseAndParse");
    }
    void AllocateParticles() override { Note("AllocateParticles"); }
    bool InitPalette() override {
        Note("InitPalette");
        return paletteOk;
    }
    void AllocateFireBuffer() override { Note("AllocateFireBuffer"); }
    void ConvertPalette(int bpp) override { Note("ConvertPalette(" + std::to_string(bpp) + ")"); }
    void InitParticles() override { Note("InitParticles"); }
    void Frame(display::Surface&) override { Note("Frame"); }
    void EmitBurst() override { Note("EmitBurst"); }
};

struct RecDisplay : display::Display {
    Log& log;
    display::MemorySurface back{320, 240, 16};
    bool fail = false;
    explicit RecDisplay(Log& l) : log(l) {}
    bool InitDisplay() override {
        log.push_back("InitDisplay");
        if (fail) throw std::runtime_error("no display");
        return true;
    }
    int DisplayBitsPerPixel() const override { return fail ? 0 : 16; }
    display::Surface& BackSurface() override { return back; }
    void PresentFrame() override { log.push_back("PresentFrame"); }
};

struct RecMusic : SaverMusic {
    Log& log;
    bool alive = true;
    explicit RecMusic(Log& l) : log(l) {}
    void CdOpen() override { log.push_back("CdOpen"); }
    void CdPoll() override { log.push_back("CdPoll"); }
    bool CdAlive() override { return alive; }
    void CdPrevTrack() override { log.push_back("CdPrevTrack"); }
    void CdNextTrack() override { log.push_back("CdNextTrack"); }
    void CdStopClose() override { log.push_back("CdStopClose"); }
    void Mp3OpenPlay() override { log.push_back("Mp3OpenPlay"); }
    void Mp3Repeat() override { log.push_back("Mp3Repeat"); }
    void Mp3StopClose() override { log.push_back("Mp3StopClose"); }
    void WavPlay() override { log.push_back("WavPlay"); }
    void WavStop() override { log.push_back("WavStop"); }
};

struct RecHost : SaverHost {
    Log& log;
    explicit RecHost(Log& l) : log(l) {}
    void ShowTopmost() override { log.push_back("ShowTopmost"); }
    void Unload() override { log.push_back("Unload"); }
    std::uintptr_t Handle() const override { return 77; }
};

struct RecSystem : startup::SystemServices {
    Log& log;
    bool nt = true;
    std::int32_t password = 1;
    std::int32_t count = -1;  // hidden at start-up
    explicit RecSystem(Log& l) : log(l) {}
    std::int32_t ShowCursor(bool show) override {
        log.push_back(show ? "ShowCursor(true)" : "ShowCursor(false)");
        return count += show ? 1 : -1;
    }
    void SystemParametersInfoA(std::uint32_t a, std::uint32_t p) override {
        log.push_back("SPI(" + std::to_string(a) + "," + std::to_string(p) + ")");
    }
    bool IsWindowsNT() override { return nt; }
    std::int32_t VerifyScreenSavePwd(std::uintptr_t w) override {
        log.push_back("VerifyScreenSavePwd(" + std::to_string(w) + ")");
        return password;
    }
    void PwdChangePasswordA(std::int32_t) override { log.push_back("PwdChange"); }
};

struct FakeClock : SaverClock {
    std::uint32_t now = 5000;
    std::uint32_t TickMs() override { return now; }
    int SecondsSinceMidnight() override { return 3600; }
};

class Saver : public ::testing::Test {
  protected:
    SaverWindow& Make() {
        saver = std::make_unique<SaverWindow>(SaverPorts{fire, display, music, host, system, clock},
                                              state);
        return *saver;
    }
    SaverWindow& Loaded() {
        Make();
        EXPECT_TRUE(saver->Load());
        log.clear();
        return *saver;
    }
    // Advances the clock in 10 ms steps, serving timers as the loop would.
    void RunFor(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 10) {
            clock.now += 10;
            saver->ServeTimers();
        }
    }
    int Count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }

    Log log;
    RecFire fire{log};
    RecDisplay display{log};
    RecMusic music{log};
    RecHost host{log};
    RecSystem system{log};
    FakeClock clock;
    startup::ProgramState state;
    std::unique_ptr<SaverWindow> saver;
};

TEST_F(Saver, LoadStepRunsInOrder) {
    state.settings.MusicKind = 1;
    Make();
    ASSERT_TRUE(saver->Load());
    EXPECT_EQ(log, (Log{"ChooseAndParse", "AllocateParticles", "InitDisplay", "InitPalette",
                        "AllocateFireBuffer", "ConvertPalette(16)", "CdOpen", "ShowTopmost",
                        "InitParticles"}));
    EXPECT_TRUE(saver->Running());
    EXPECT_TRUE(saver->Timer2().Enabled());
    EXPECT_FALSE(saver->Timer1().Enabled());
    EXPECT_TRUE(saver->Timer3().Enabled());
}

TEST_F(Saver, FailedStepsAreSkippedAndLoadGoesOn) {
    display.fail = true;
    fire.throwOn = "AllocateParticles";
    Make();
    ASSERT_TRUE(saver->Load());
    EXPECT_EQ(log,
              (Log{"ChooseAndParse", "AllocateParticles", "InitDisplay", "InitPalette",
                   "AllocateFireBuffer", "ConvertPalette(0)", "ShowTopmost", "InitParticles"}));
    EXPECT_TRUE(saver->Running());
}

TEST_F(Saver, UnknownPaletteEndsBeforeAnythingIsShown) {
    fire.paletteOk = false;
    Make();
    EXPECT_FALSE(saver->Load());
    EXPECT_FALSE(saver->Running());
    EXPECT_EQ(log.back(), "InitPalette");
}

TEST_F(Saver, MusicFileStartsByItsUpperCasedEnding) {
    state.settings.MusicKind = 2;
    state.settings.MusicFile = "/music/song.mp3";
    Make();
    saver->Load();
    EXPECT_EQ(Count("Mp3OpenPlay"), 1);
    EXPECT_EQ(Count("WavPlay"), 0);
    EXPECT_TRUE(saver->Timer1().Enabled());

    log.clear();
    state.settings.MusicFile = "/music/Loop.Wav";
    Make();
    saver->Load();
    EXPECT_EQ(Count("WavPlay"), 1);
    EXPECT_EQ(Count("Mp3OpenPlay"), 0);
    EXPECT_FALSE(saver->Timer1().Enabled());

    log.clear();
    state.settings.MusicFile = "/music/a.ogg";
    Make();
    saver->Load();
    EXPECT_EQ(Count("WavPlay") + Count("Mp3OpenPlay") + Count("CdOpen"), 0);
    EXPECT_FALSE(saver->Timer1().Enabled());
    EXPECT_FALSE(saver->Timer2().Enabled());
}

TEST_F(Saver, FrameComputesThenPresents) {
    Loaded().RunFrame();
    EXPECT_EQ(log, (Log{"Frame", "PresentFrame"}));
}

TEST_F(Saver, BurstTimerEveryTwoSecondsOrTenthForKindTwo) {
    state.settings.FireKind = 0;
    Loaded();
    EXPECT_EQ(saver->Timer3().Interval(), 2000u);
    RunFor(1990);
    EXPECT_EQ(Count("EmitBurst"), 0);
    RunFor(4010);
    EXPECT_EQ(Count("EmitBurst"), 3);

    log.clear();
    state.settings.FireKind = 2;
    Loaded();
    EXPECT_EQ(saver->Timer3().Interval(), 100u);
    RunFor(1000);
    EXPECT_EQ(Count("EmitBurst"), 10);
}

TEST_F(Saver, RandomKindPickedAsTwoGetsTheShortBurstInterval) {
    state.settings.FireKind = 8;
    fire.randomPick = 2;
    Loaded();
    EXPECT_EQ(state.settings.FireKind, 2);
    EXPECT_EQ(saver->Timer3().Interval(), 100u);
}

TEST_F(Saver, MusicTimersPollAndCdPollStopsWhenDiscFails) {
    state.settings.MusicKind = 1;
    Loaded();
    RunFor(1000);
    EXPECT_EQ(Count("CdPoll"), 5);
    music.alive = false;
    RunFor(1000);
    EXPECT_EQ(Count("CdPoll"), 6);
    EXPECT_FALSE(saver->Timer2().Enabled());
    EXPECT_EQ(saver->MsUntilNextTimer() >= 0, true);  // the burst timer still runs

    state.settings.MusicKind = 2;
    state.settings.MusicFile = "x.MP3";
    Loaded();
    RunFor(3000);
    EXPECT_EQ(Count("Mp3Repeat"), 3);
}

TEST_F(Saver, LateTimerTicksOnceInsteadOfCatchingUp) {
    Loaded();
    clock.now += 7000;
    saver->ServeTimers();
    saver->ServeTimers();
    EXPECT_EQ(Count("EmitBurst"), 1);
    EXPECT_EQ(saver->MsUntilNextTimer(), 2000);
}

TEST_F(Saver, ArrowKeysSkipTracksOnlyWithCdMusic) {
    state.settings.MusicKind = 1;
    Loaded();
    saver->KeyDown(kVkLeft);
    saver->KeyDown(kVkRight);
    EXPECT_EQ(log, (Log{"CdPrevTrack", "CdNextTrack"}));
    EXPECT_TRUE(saver->Running());
    saver->KeyDown(65);
    EXPECT_FALSE(saver->Running());

    for (std::int16_t kind : {0, 2}) {
        state.settings.MusicKind = kind;
        state.settings.MusicFile = "a.wav";
        Loaded();
        saver->KeyDown(kVkRight);
        EXPECT_FALSE(saver->Running()) << kind;
        EXPECT_EQ(Count("CdNextTrack"), 0);
    }
}

TEST_F(Saver, ClickEndsTheSaver) {
    Loaded().MouseDown();
    EXPECT_FALSE(saver->Running());
}

TEST_F(Saver, RequestExitStopsMusicThenRestoresSystemThenUnloads) {
    state.ModeLetter = 'S';
    state.settings.MusicKind = 1;
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"CdStopClose", "SPI(97,0)", "SPI(17,1)", "Unload"}));
    EXPECT_FALSE(saver->Running());
    EXPECT_FALSE(saver->Timer2().Enabled());

    state.settings.MusicKind = 2;
    state.settings.MusicFile = "b.wav";
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"WavStop", "SPI(97,0)", "SPI(17,1)", "Unload"}));

    state.settings.MusicFile = "b.Mp3";
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"Mp3StopClose", "SPI(97,0)", "SPI(17,1)", "Unload"}));
}

TEST_F(Saver, RequestExitWithoutCommandLineSkipsSystemKeys) {
    state.ModeLetter = '\0';
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"SPI(17,1)", "Unload"}));
}

TEST_F(Saver, DeadCdIsNotStoppedAgainOnExit) {
    state.settings.MusicKind = 1;
    music.alive = false;
    Loaded();
    RunFor(200);
    log.clear();
    saver->RequestExit();
    EXPECT_EQ(Count("CdStopClose"), 0);
}

TEST_F(Saver, RefusedPasswordKeepsSaverRunningWithCursorHidden) {
    state.ModeLetter = 'S';
    state.CursorCount = -1;
    state.settings.MusicKind = 2;
    state.settings.MusicFile = "x.mp3";
    system.nt = false;
    system.password = 0;
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"ShowCursor(true)", "VerifyScreenSavePwd(77)", "ShowCursor(false)"}));
    EXPECT_TRUE(saver->Running());
    EXPECT_EQ(state.CursorCount, -1);

    system.password = 1;
    log.clear();
    saver->RequestExit();
    EXPECT_EQ(log, (Log{"ShowCursor(true)", "VerifyScreenSavePwd(77)", "Mp3StopClose", "SPI(97,0)",
                        "SPI(17,1)", "Unload"}));
    EXPECT_EQ(state.CursorCount, 0);
}

TEST_F(Saver, NoPasswordOnNtOrWithoutSaverLetter) {
    system.nt = false;
    state.ModeLetter = '\0';
    Loaded().RequestExit();
    EXPECT_EQ(Count("VerifyScreenSavePwd(77)"), 0);
    system.nt = true;
    state.ModeLetter = 'S';
    Loaded().RequestExit();
    EXPECT_EQ(Count("VerifyScreenSavePwd(77)"), 0);
}

TEST_F(Saver, SecondRequestInTheSameMessageStepDoesNothing) {
    state.settings.MusicKind = 1;
    Loaded().KeyDown(65);
    saver->MouseDown();
    saver->EndSaver();
    EXPECT_EQ(Count("CdStopClose"), 1);
    EXPECT_EQ(Count("Unload"), 1);
}

}  // namespace
}  // namespace cindral::saver
