#include "app/windows/saver_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "fire/fire_engine.h"
#include "platform/windows/display/saver_display.h"
#include "platform/windows/music/queued_saver_music.h"
#include "platform/windows/music/winmm_media_commands.h"
#include "platform/windows/saver/saver_loop.h"
#include "platform/windows/saver/saver_windows.h"
#include "platform/windows/win32.h"
#include "saver/engine_fire.h"
#include "saver/window.h"

namespace cindral::app {

namespace {

std::uint32_t SteadyMs() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

class SteadyClock final : public saver::SaverClock {
  public:
    std::uint32_t TickMs() override { return SteadyMs(); }
    int SecondsSinceMidnight() override {
        SYSTEMTIME local{};
        GetLocalTime(&local);
        return local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
    }
};

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& t) {
        return ((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Wall-clock seconds since 1970, to line the saver's steps up with outside tools.
double NowSeconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t t =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (t - 116444736000000000ULL) / 1e7;
}

}  // namespace

int RunFullScreenSaver(startup::ProgramState& state, startup::SystemServices& system) {
    using namespace platform::windows;
    saver::SaverWindow* saverRef = nullptr;
    SaverInput input{
        [&saverRef](int key) {
            if (saverRef) saverRef->KeyDown(key);
        },
        [&saverRef] {
            if (saverRef) saverRef->MouseDown();
        },
        [&saverRef] {
            if (saverRef && saverRef->Running()) saverRef->EndSaver();
        },
    };
    SaverWindows windows(MonitorRects(), input);
    if (windows.Windows().empty()) {
        std::fprintf(stderr, "cindral: cannot create the saver's windows (error %lu)\n",
                     GetLastError());
        return 1;
    }
    // Waits of a frame's length need a finer clock than the default 15.6 ms.
    timeBeginPeriod(1);

    WinmmMediaCommands media;
    QueuedSaverMusic music(media, state.settings);
    fire::FireEngine engine(fire::ProgramRnd(), SteadyMs);
    saver::EngineSaverFire fire(engine);
    const char* choice = std::getenv("CINDRAL_DISPLAY");
    SaverDisplay display(windows.Windows(), choice && std::string(choice) == "gdi");
    SteadyClock clock;
    saver::SaverWindow saver({fire, display, music, windows, system, clock}, state);
    saverRef = &saver;

    const bool report = std::getenv("CINDRAL_FRAME_REPORT") != nullptr;
    if (saver.Load()) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuMs();
        const long frames = RunSaverLoop(saver);
        if (report) {
            const std::chrono::duration<double> run = std::chrono::steady_clock::now() - start;
            std::fprintf(stderr, "frames %ld in %.2f s, cpu %.1f ms, display %s %d bits\n", frames,
                         run.count(), ProcessCpuMs() - cpuStart,
                         display.UsesDirectDraw() ? "directdraw" : "gdi",
                         display.DisplayBitsPerPixel());
        }
    }
    if (report) std::fprintf(stderr, "loop ended at %.3f\n", NowSeconds());
    saverRef = nullptr;
    windows.Unload();
    music.Finish(150);
    timeEndPeriod(1);
    // The program ends now: a music device stuck in a call is not waited for.
    std::fflush(stderr);
    ExitProcess(0);
}

}  // namespace cindral::app
