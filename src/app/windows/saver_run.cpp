#include "app/windows/saver_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/event_pump.h"
#include "platform/win32/media_commands.h"
#include "platform/win32/saver_display.h"
#include "platform/win32/saver_windows.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"
#include "saver/steady_clock.h"

namespace cindral::app {

namespace {

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& t) {
        return ((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

int RunFullScreenSaver(startup::ProgramState& state, startup::SystemServices& system) {
    using namespace platform::win32;
    SaverWindows windows(MonitorRects());
    if (windows.Windows().empty()) {
        std::fprintf(stderr, "cindral: cannot create the saver's windows (error %lu)\n",
                     GetLastError());
        return 1;
    }
    // Waits of a frame's length need a finer clock than the default 15.6 ms.
    timeBeginPeriod(1);

    // The music runs on a thread of its own: winmm's devices may take seconds
    // to open a file or spin up a disc.
    WinmmMediaCommands media;
    Win32LocalTime localTime;
    saver::SteadyClock clock(localTime);
    const char* choice = std::getenv("CINDRAL_DISPLAY");
    SaverDisplay display(windows.Windows(), choice && std::string(choice) == "gdi");
    saver::SaverAssembly parts({media, saver::MusicCalls::Queued, clock, display, windows, system},
                               state);
    saver::SaverWindow& saver = parts.Window();

    const bool report = std::getenv("CINDRAL_FRAME_REPORT") != nullptr;
    if (saver.Load()) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuMs();
        Win32EventPump events(windows);
        saver::FrameLoop loop(saver, events, clock);
        const long frames = loop.Run();
        if (report) {
            const std::chrono::duration<double> run = std::chrono::steady_clock::now() - start;
            std::fprintf(stderr, "frames %ld in %.2f s, cpu %.1f ms, display %s %d bits\n", frames,
                         run.count(), ProcessCpuMs() - cpuStart,
                         display.UsesDirectDraw() ? "directdraw" : "gdi",
                         display.DisplayBitsPerPixel());
        }
    }
    windows.Unload();
    parts.FinishMusic(150);
    timeEndPeriod(1);
    // The program ends now: a music device stuck in a call is not waited for.
    std::fflush(stderr);
    ExitProcess(0);
}

}  // namespace cindral::app
