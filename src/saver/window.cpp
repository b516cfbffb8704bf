#include "saver/window.h"

#include <string>

#include "fire/fire_options.h"
#include "startup/resume_next.h"

namespace cindral::saver {

// The load step, the key handler and RequestExit skip a statement that fails.
using startup::ResumeNext;

SaverWindow::SaverWindow(SaverPorts ports, startup::ProgramState& state)
    : ports_(ports), state_(state) {}

music::MusicFileKind SaverWindow::MusicFileKind() const {
    return music::MusicFileKindOf(state_.settings.MusicFile);
}

bool SaverWindow::Load() {
    auto& s = state_.settings;
    ResumeNext(
        [&] { ports_.fire.ChooseAndParse(s.FireKind, ports_.clock.SecondsSinceMidnight()); });
    ResumeNext([&] { ports_.fire.AllocateParticles(); });
    ResumeNext([&] { ports_.display.InitDisplay(); });
    bool paletteKnown = true;
    ResumeNext([&] { paletteKnown = ports_.fire.InitPalette(); });
    if (!paletteKnown) return false;
    ResumeNext([&] { ports_.fire.AllocateFireBuffer(); });
    ResumeNext([&] { ports_.fire.ConvertPalette(ports_.display.DisplayBitsPerPixel()); });

    if (s.MusicKind == config::kCdMusic) {
        ResumeNext([&] { ports_.music.CdOpen(); });
        timer2_.SetEnabled(true, ports_.clock.TickMs());
    } else if (s.MusicKind == config::kFileMusic) {
        if (MusicFileKind() == music::MusicFileKind::Wav)
            ResumeNext([&] { ports_.music.WavPlay(); });
        if (MusicFileKind() == music::MusicFileKind::Mp3) {
            ResumeNext([&] { ports_.music.Mp3OpenPlay(); });
            timer1_.SetEnabled(true, ports_.clock.TickMs());
        }
    }

    ResumeNext([&] { ports_.host.ShowTopmost(); });
    timer3_.SetInterval(fire::SparkBurstIntervalMs(s.FireKind), ports_.clock.TickMs());
    timer3_.SetEnabled(true, ports_.clock.TickMs());
    ResumeNext([&] { ports_.fire.InitParticles(); });
    running_ = true;
    return true;
}

void SaverWindow::RunFrame(int fireSteps) {
    ResumeNext([&] {
        for (int i = 0; i < fireSteps; ++i) ports_.fire.Frame(ports_.display.BackSurface());
        ports_.display.PresentFrame();
    });
}

void SaverWindow::ServeTimers() {
    // A handler may end the saver; later timers then no longer tick.
    std::uint32_t now = ports_.clock.TickMs();
    if (running_ && timer1_.IsDue(now)) {
        timer1_.Rearm(now);
        ResumeNext([&] { ports_.music.Mp3Repeat(); });
    }
    if (running_ && timer2_.IsDue(now)) {
        timer2_.Rearm(now);
        bool alive = false;
        ResumeNext([&] {
            ports_.music.CdPoll();
            alive = ports_.music.CdAlive();
        });
        timer2_.SetEnabled(alive, now);
    }
    if (running_ && timer3_.IsDue(now)) {
        timer3_.Rearm(now);
        ResumeNext([&] { ports_.fire.EmitBurst(); });
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

void SaverWindow::KeyDown(Key key) {
    if (state_.settings.MusicKind == config::kCdMusic) {
        if (key == Key::Left) {
            ResumeNext([&] { ports_.music.CdPrevTrack(); });
            return;
        }
        if (key == Key::Right) {
            ResumeNext([&] { ports_.music.CdNextTrack(); });
            return;
        }
    }
    RequestExit();
}

void SaverWindow::MouseDown() { RequestExit(); }

void SaverWindow::RequestExit() {
    if (!running_) return;  // already ending: later input in the same message step does nothing
    bool askPassword = false;
    ResumeNext(
        [&] { askPassword = state_.ModeLetter == 'S' && !startup::IsWindowsNT(ports_.system); });
    if (askPassword) {
        ResumeNext([&] { state_.CursorCount = ports_.system.ShowCursor(state_.CursorCount != 0); });
        bool allowed = true;
        ResumeNext([&] { allowed = ports_.system.AskSaverPassword(ports_.host.Handle()); });
        if (!allowed) {
            ResumeNext([&] { state_.CursorCount = ports_.system.ShowCursor(false); });
            return;
        }
    }
    EndSaver();
}

void SaverWindow::EndSaver() {
    if (!running_) return;
    if (timer2_.Enabled()) {
        timer2_.SetEnabled(false, 0);
        ResumeNext([&] { ports_.music.CdStopClose(); });
    }
    if (state_.settings.MusicKind == config::kFileMusic) {
        if (MusicFileKind() == music::MusicFileKind::Wav)
            ResumeNext([&] { ports_.music.WavStop(); });
        if (MusicFileKind() == music::MusicFileKind::Mp3)
            ResumeNext([&] { ports_.music.Mp3StopClose(); });
    }
    if (state_.ModeLetter == 'S')
        ResumeNext([&] { startup::EnableSystemKeys(ports_.system, true); });
    running_ = false;
    ResumeNext([&] { ports_.system.ActivateSaverTimeout(); });
    ResumeNext([&] { ports_.host.Unload(); });
}

}  // namespace cindral::saver
