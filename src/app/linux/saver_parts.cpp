#include "app/linux/saver_parts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/audio/media_commands.h"

namespace cindral::app {

namespace {

// The Linux media layer answers every command within milliseconds (decoding
// and disc reading run on its own threads), so the player runs in place: the
// CD timer then follows each poll's own result, and no thread of ours is left
// to end with the program.
constexpr saver::MusicCalls kLinuxMusicCalls = saver::MusicCalls::InPlace;

std::unique_ptr<music::MediaCommands> QuietMediaLayer() {
    // With no session bus announced, the audio layer's D-Bus use would launch
    // a bus daemon that outlives the saver.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    return platform::audio::CreateLinuxMediaCommands();
}

void StampFirstFrame(const Presentation& p) {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(
        stderr, "first-frame-realtime-ns %lld cpu-ms %.1f renderer %s vsync %d windows %zu\n",
        static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec,
        cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6, p.renderer.c_str(), p.vsync ? 1 : 0, p.windows);
}

}  // namespace

LinuxSaverParts::LinuxSaverParts() : media_(QuietMediaLayer()) {}

LinuxSaverParts::~LinuxSaverParts() { platform::audio::AbandonLinuxMediaCommandsAtExit(media_); }

saver::PlatformPorts LinuxSaverParts::Ports(display::Display& display, saver::SaverHost& host,
                                            startup::SystemServices& system) {
    return {*media_, kLinuxMusicCalls, clock_, display, host, system};
}

void RunFrameLoop(saver::FrameLoop& loop, const std::function<Presentation()>& presentation) {
    if (!std::getenv("CINDRAL_FIRST_FRAME_STAMP")) {
        loop.Run();
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const long frames = loop.Run([&presentation] { StampFirstFrame(presentation()); });
    const std::chrono::duration<double> run = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "frames %ld in %.2f s\n", frames, run.count());
}

}  // namespace cindral::app
