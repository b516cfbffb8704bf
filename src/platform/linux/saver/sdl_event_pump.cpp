#include "platform/linux/saver/sdl_event_pump.h"

#include <SDL2/SDL.h>

#include "platform/linux/saver/stop_signals.h"

namespace cindral::platform::linux {

namespace {

void Dispatch(const SDL_Event& e, saver::SaverInput& input) {
    switch (e.type) {
        case SDL_KEYDOWN:
            input.KeyDown(VirtualKeyOf(e.key.keysym.sym, e.key.keysym.mod));
            break;
        case SDL_MOUSEBUTTONDOWN:
            input.MouseDown();
            break;
        case SDL_QUIT:  // the session is ending
            input.EndSaver();
            break;
        case SDL_WINDOWEVENT:
            // The desktop closed one of the saver's windows.
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) input.EndSaver();
            break;
        default:
            break;  // mouse movement and everything else do nothing
    }
}

}  // namespace

void SdlEventPump::InstallStopSignalHandlers() {
    // SDL must not turn the signals into quit events of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    InstallStopSignals();
    WakeSdlOnStopSignals();
}

void SdlEventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    SDL_Event e;
    if (timeoutMs > 0) {
        if (!SDL_WaitEventTimeout(&e, static_cast<int>(timeoutMs))) return;
        Dispatch(e, input);
    }
    while (SDL_PollEvent(&e)) Dispatch(e, input);
}

bool SdlEventPump::StopRequested() { return StopSignalled(); }

int VirtualKeyOf(int sdlKeycode, std::uint16_t sdlModifiers) {
    const bool numLock = (sdlModifiers & KMOD_NUM) != 0;
    if (sdlKeycode == SDLK_LEFT || (sdlKeycode == SDLK_KP_4 && !numLock)) return saver::kVkLeft;
    if (sdlKeycode == SDLK_RIGHT || (sdlKeycode == SDLK_KP_6 && !numLock)) return saver::kVkRight;
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return sdlKeycode;
    return 0;
}

}  // namespace cindral::platform::linux
