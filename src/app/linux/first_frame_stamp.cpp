#include "app/linux/first_frame_stamp.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace cindral::app {

void StampFirstFrame(const std::string& renderer, bool vsync, std::size_t windows) {
    if (!std::getenv("CINDRAL_FIRST_FRAME_STAMP")) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr,
                 "first-frame-realtime-ns %lld cpu-ms %.1f renderer %s vsync %d windows %zu\n",
                 static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec,
                 cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6, renderer.c_str(), vsync ? 1 : 0, windows);
}

}  // namespace cindral::app
