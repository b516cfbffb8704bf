#include "app/linux/saver_run.h"

#include <cstdio>

#include "app/linux/saver_parts.h"
#include "platform/posix/stop_signals.h"

namespace cindral::app {

int RunFullScreenSaver(startup::ProgramState& state, platform::posix::LinuxSystemServices& system,
                       SaverShell& shell) {
    platform::posix::InstallStopSignals();
    LinuxSaverParts shared;
    system.OnCursorVisibility([&shell](bool visible) { shell.ShowCursor(visible); });
    saver::SaverAssembly parts(shared.Ports(shell.Display(), shell.Host(), system), state);
    saver::SaverWindow& saver = parts.Window();

    int status = 0;
    if (!saver.Load()) {
        std::fprintf(stderr,
                     "cindral: the saver cannot start: the fire's palette kind is unknown\n");
        status = 1;
    } else if (shell.SurfaceCount() == 0) {
        // No window can take the key or click that ends the saver: end now
        // rather than run unseen for ever, and say why.
        saver.EndSaver();
        std::fprintf(stderr, "cindral: the saver cannot show anything: %s\n",
                     shell.Failure().c_str());
        status = 1;
    } else {
        saver::FrameLoop loop(saver, shell.Events(), parts.Clock());
        RunFrameLoop(loop, [&shell] {
            return Presentation{shell.RendererName(), shell.Vsync(), shell.SurfaceCount()};
        });
    }
    system.OnCursorVisibility(nullptr);
    shell.Host().Unload();
    // The program ends now, as the saver's loop demands; the display's
    // connection closes with the process.
    return status;
}

}  // namespace cindral::app
