#include "platform/linux/saver/sdl_saver_loop.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <csignal>

#include "saver/pacer.h"

namespace cindral::platform::linux {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void OnStopSignal(int) { g_stopRequested = 1; }

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Dispatch(saver::SaverWindow& saver, const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
            saver.KeyDown(VirtualKeyOf(e.key.keysym.sym));
            break;
        case SDL_MOUSEBUTTONDOWN:
            saver.MouseDown();
            break;
        case SDL_QUIT:  // the session is ending
            saver.EndSaver();
            break;
        case SDL_WINDOWEVENT:
            // The desktop closed one of the saver's windows.
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) saver.EndSaver();
            break;
        default:
            break;  // mouse movement and everything else do nothing
    }
}

}  // namespace

void InstallSaverSignalHandlers() {
    // SDL must not turn the signals into quit events of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

int VirtualKeyOf(int sdlKeycode) {
    if (sdlKeycode == SDLK_LEFT) return saver::kVkLeft;
    if (sdlKeycode == SDLK_RIGHT) return saver::kVkRight;
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return sdlKeycode;
    return 0;
}

long RunSaverLoop(saver::SaverWindow& saver, const std::function<void()>& onFirstFrame) {
    saver::FramePacer pacer(60);
    bool first = true;
    long frames = 0;
    while (saver.Running() && !g_stopRequested) {
        std::int64_t nextFrame = pacer.FrameStarted(NowUs());
        saver.RunFrame();
        ++frames;
        if (first) {
            first = false;
            if (onFirstFrame) onFirstFrame();
        }
        // Message step: serve input and timers until the next frame is due.
        for (;;) {
            saver.ServeTimers();
            if (!saver.Running() || g_stopRequested) break;
            std::int64_t waitUs = nextFrame - NowUs();
            if (waitUs <= 0) {
                SDL_Event e;
                while (saver.Running() && SDL_PollEvent(&e)) Dispatch(saver, e);
                break;
            }
            std::int64_t waitMs = waitUs / 1000;
            std::int64_t timerMs = saver.MsUntilNextTimer();
            if (timerMs >= 0) waitMs = std::min(waitMs, timerMs);
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, static_cast<int>(std::max<std::int64_t>(waitMs, 1)))) {
                Dispatch(saver, e);
                while (saver.Running() && SDL_PollEvent(&e)) Dispatch(saver, e);
            }
        }
    }
    // A signal ends the saver with the same clean-up as a key press.
    if (g_stopRequested) saver.EndSaver();
    return frames;
}

}  // namespace cindral::platform::linux
