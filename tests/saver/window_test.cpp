#include "saver/window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fakes.h"

namespace cindral::saver {
namespace {

using namespace fakes;
using Saver = SaverRig;

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
    clock.AdvanceMs(7000);
    saver->ServeTimers();
    saver->ServeTimers();
    EXPECT_EQ(Count("EmitBurst"), 1);
    EXPECT_EQ(saver->MsUntilNextTimer(), 2000);
}

TEST_F(Saver, ArrowKeysSkipTracksOnlyWithCdMusic) {
    state.settings.MusicKind = 1;
    Loaded();
    saver->KeyDown(Key::Left);
    saver->KeyDown(Key::Right);
    EXPECT_EQ(log, (Log{"CdPrevTrack", "CdNextTrack"}));
    EXPECT_TRUE(saver->Running());
    saver->KeyDown(Key::Other);
    EXPECT_FALSE(saver->Running());

    for (std::int16_t kind : {0, 2}) {
        state.settings.MusicKind = kind;
        state.settings.MusicFile = "a.wav";
        Loaded();
        saver->KeyDown(Key::Right);
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
    EXPECT_EQ(log, (Log{"CdStopClose", "SaverRunning(false)", "SaverTimeoutOn", "Unload"}));
    EXPECT_FALSE(saver->Running());
    EXPECT_FALSE(saver->Timer2().Enabled());

    state.settings.MusicKind = 2;
    state.settings.MusicFile = "b.wav";
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"WavStop", "SaverRunning(false)", "SaverTimeoutOn", "Unload"}));

    state.settings.MusicFile = "b.Mp3";
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"Mp3StopClose", "SaverRunning(false)", "SaverTimeoutOn", "Unload"}));
}

TEST_F(Saver, RequestExitWithoutCommandLineSkipsSystemKeys) {
    state.ModeLetter = '\0';
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"SaverTimeoutOn", "Unload"}));
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
    system.asksPassword = true;
    system.passwordRight = false;
    Loaded().RequestExit();
    EXPECT_EQ(log, (Log{"ShowCursor(true)", "AskSaverPassword(77)", "ShowCursor(false)"}));
    EXPECT_TRUE(saver->Running());
    EXPECT_EQ(state.CursorCount, -1);

    system.passwordRight = true;
    log.clear();
    saver->RequestExit();
    EXPECT_EQ(log, (Log{"ShowCursor(true)", "AskSaverPassword(77)", "Mp3StopClose",
                        "SaverRunning(false)", "SaverTimeoutOn", "Unload"}));
    EXPECT_EQ(state.CursorCount, 0);
}

TEST_F(Saver, NoPasswordOnNtOrWithoutSaverLetter) {
    system.asksPassword = true;
    state.ModeLetter = '\0';
    Loaded().RequestExit();
    EXPECT_EQ(Count("AskSaverPassword(77)"), 0);
    system.asksPassword = false;
    state.ModeLetter = 'S';
    Loaded().RequestExit();
    EXPECT_EQ(Count("AskSaverPassword(77)"), 0);
}

TEST_F(Saver, SecondRequestInTheSameMessageStepDoesNothing) {
    state.settings.MusicKind = 1;
    Loaded().KeyDown(Key::Other);
    saver->MouseDown();
    saver->EndSaver();
    EXPECT_EQ(Count("CdStopClose"), 1);
    EXPECT_EQ(Count("Unload"), 1);
}

}  // namespace
}  // namespace cindral::saver
