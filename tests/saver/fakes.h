#pragma once
// Recording fakes of the saver window's ports, and a saver window over them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "display/memory_surface.h"
#include "saver/window.h"

namespace cindral::saver::fakes {

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
    display::MemorySurface back{display::kBackWidth, display::kBackHeight, 16};
    bool fail = false;
    // Presents that wait for a vertical blank until the test shows them.
    bool showsAtVerticalBlank = false;
    bool pending = false;
    explicit RecDisplay(Log& l) : log(l) {}
    bool InitDisplay() override {
        log.push_back("InitDisplay");
        if (fail) throw std::runtime_error("no display");
        return true;
    }
    int DisplayBitsPerPixel() const override { return fail ? 0 : 16; }
    display::Surface& BackSurface() override { return back; }
    void PresentFrame() override {
        log.push_back("PresentFrame");
        pending = showsAtVerticalBlank;
    }
    bool PresentPending() const override { return pending; }
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
    bool asksPassword = false;  // the platform guards a running saver with a password
    bool passwordRight = true;
    std::int32_t count = -1;  // hidden at start-up
    explicit RecSystem(Log& l) : log(l) {}
    std::int32_t ShowCursor(bool show) override {
        log.push_back(show ? "ShowCursor(true)" : "ShowCursor(false)");
        return count += show ? 1 : -1;
    }
    void AnnounceSaverRunning(bool running) override {
        log.push_back(running ? "SaverRunning(true)" : "SaverRunning(false)");
    }
    void ActivateSaverTimeout() override { log.push_back("SaverTimeoutOn"); }
    bool AsksSaverPassword() override { return asksPassword; }
    bool AskSaverPassword(std::uintptr_t w) override {
        log.push_back("AskSaverPassword(" + std::to_string(w) + ")");
        return passwordRight;
    }
    void ChangeSaverPassword(std::int32_t) override { log.push_back("ChangeSaverPassword"); }
};

// Time moves only when a test moves it.
struct FakeClock : SaverClock {
    std::int64_t us = 5'000'000;
    void AdvanceMs(std::int64_t ms) { us += ms * 1000; }
    std::uint32_t TickMs() override { return static_cast<std::uint32_t>(us / 1000); }
    std::int64_t TickUs() override { return us; }
    int SecondsSinceMidnight() override { return 3600; }
};

// A saver window over recording fakes, all writing to one log.
class SaverRig : public ::testing::Test {
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
            clock.AdvanceMs(10);
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

}  // namespace cindral::saver::fakes
