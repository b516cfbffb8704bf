#include "saver/window.h"

#include <string>

#include "fire/fire_options.h"

namespace cindral::saver {

namespace {

// Statements of the load step, the key handler and RequestExit run under a
// resume-next rule: a step that fails is skipped and the next one runs.
template <typename F>
void Step(F&& f) {
    try {
        f();
    } catch (...) {
    }
}

}  // namespace

SaverWindow::SaverWindow(SaverPorts ports, startup::ProgramState& state)
    : ports_(ports), state_(state) {}

music::MusicFileKind SaverWindow::MusicFileKind() const {
    return music::MusicFileKindOf(state_.settings.MusicFile);
}

bool SaverWindow::Load() {
    auto& s = state_.settings;
    Step([&] { ports_.fire.ChooseAndParse(s.FireKind, ports_.clock.SecondsSinceMidnight()); });
    Step([&] { ports_.fire.AllocateParticles(); });
    Step([&] { ports_.display.InitDisplay(); });
    bool paletteKnown = true;
    Step([&] { paletteKnown = ports_.fire.InitPalette(); });
    if (!paletteKnown) return false;
    Step([&] { ports_.fire.AllocateFireBuffer(); });
    Step([&] { ports_.fire.ConvertPalette(ports_.display.DisplayBitsPerPixel()); });

    if (s.MusicKind == 1) {
        Step([&] { ports_.music.CdOpen(); });
        timer2_.SetEnabled(true, ports_.clock.TickMs());
    } else if (s.MusicKind == 2) {
        if (MusicFileKind() == music::MusicFileKind::Wav) Step([&] { ports_.music.WavPlay(); });
        if (MusicFileKind() == music::MusicFileKind::Mp3) {
            Step([&] { ports_.music.Mp3OpenPlay(); });
            timer1_.SetEnabled(true, ports_.clock.TickMs());
        }
    }

    Step([&] { ports_.host.ShowTopmost(); });
    timer3_.SetInterval(fire::SparkBurstIntervalMs(s.FireKind), ports_.clock.TickMs());
    timer3_.SetEnabled(true, ports_.clock.TickMs());
    Step([&] { ports_.fire.InitParticles(); });
    running_ = true;
    return true;
}

void SaverWindow::RunFrame() {
    Step([&] {
        ports_.fire.Frame(ports_.display.BackSurface());
        ports_.display.PresentFrame();
    });
}

void SaverWindow::ServeTimers() {
    // A handler may end the saver; later timers then no longer tick.
    std::uint32_t now = ports_.clock.TickMs();
    if (running_ && timer1_.IsDue(now)) {
        timer1_.Rearm(now);
        Step([&] { ports_.music.Mp3Repeat(); });
    }
    if (running_ && timer2_.IsDue(now)) {
        timer2_.Rearm(now);
        bool alive = false;
        Step([&] {
            ports_.music.CdPoll();
            alive = ports_.music.CdAlive();
        });
        timer2_.SetEnabled(alive, now);
    }
    if (running_ && timer3_.IsDue(now)) {
        timer3_.Rearm(now);
        Step([&] { ports_.fire.EmitBurst(); });
    }
}

std::int64_t SaverWindow::MsUntilNextTimer() {
    std::uint32_t now = ports_.clock.TickMs();
    std::int64_t best = -1;
    for (const SaverTimer* t : {&timer1_, &timer2_, &timer3_}) {
        if (!t->Enabled()) continue;
        std::int64_t left = t->MsUntilDue(now);
        if (best < 0 || left < best) best = left;
    }
    return best;
}

void SaverWindow::KeyDown(int keyCode) {
    if (state_.settings.MusicKind == 1) {
        if (keyCode == kVkLeft) {
            Step([&] { ports_.music.CdPrevTrack(); });
            return;
        }
        if (keyCode == kVkRight) {
            Step([&] { ports_.music.CdNextTrack(); });
            return;
        }
    }
    RequestExit();
}

void SaverWindow::MouseDown() { RequestExit(); }

void SaverWindow::RequestExit() {
    if (!running_) return;  // already ending: later input in the same message step does nothing
    bool askPassword = false;
    Step([&] { askPassword = state_.ModeLetter == 'S' && !ports_.system.IsWindowsNT(); });
    if (askPassword) {
        Step([&] { state_.CursorCount = ports_.system.ShowCursor(state_.CursorCount != 0); });
        std::int32_t allowed = 1;
        Step([&] { allowed = ports_.system.VerifyScreenSavePwd(ports_.host.Handle()); });
        if (allowed == 0) {
            Step([&] { state_.CursorCount = ports_.system.ShowCursor(false); });
            return;
        }
    }
    EndSaver();
}

void SaverWindow::EndSaver() {
    if (!running_) return;
    if (timer2_.Enabled()) {
        timer2_.SetEnabled(false, 0);
        Step([&] { ports_.music.CdStopClose(); });
    }
    if (state_.settings.MusicKind == 2) {
        if (MusicFileKind() == music::MusicFileKind::Wav) Step([&] { ports_.music.WavStop(); });
        if (MusicFileKind() == music::MusicFileKind::Mp3)
            Step([&] { ports_.music.Mp3StopClose(); });
    }
    if (state_.ModeLetter == 'S') Step([&] { startup::EnableSystemKeys(ports_.system, true); });
    running_ = false;
    Step([&] { ports_.system.SystemParametersInfoA(startup::SPI_SETSCREENSAVEACTIVE, 1); });
    Step([&] { ports_.host.Unload(); });
}

}  // namespace cindral::saver
