#include "platform/windows/saver/saver_loop.h"

#include <algorithm>
#include <chrono>

#include "platform/windows/win32.h"
#include "saver/pacer.h"

namespace cindral::platform::windows {

namespace {

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Sleeps until a message arrives or `ms` have passed.
void WaitForMessages(std::int64_t ms) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::max<std::int64_t>(ms, 1)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace

bool DispatchPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

long RunSaverLoop(saver::SaverWindow& saver, const std::function<void()>& onFirstFrame) {
    saver::FramePacer pacer(60);
    bool first = true;
    long frames = 0;
    while (saver.Running()) {
        const std::int64_t nextFrame = pacer.FrameStarted(NowUs());
        saver.RunFrame();
        ++frames;
        if (first) {
            first = false;
            if (onFirstFrame) onFirstFrame();
        }
        for (;;) {
            if (!DispatchPendingMessages()) {
                saver.EndSaver();
                break;
            }
            saver.ServeTimers();
            if (!saver.Running()) break;
            const std::int64_t waitUs = nextFrame - NowUs();
            if (waitUs <= 0) break;
            std::int64_t waitMs = (waitUs + 999) / 1000;
            const std::int64_t timerMs = saver.MsUntilNextTimer();
            if (timerMs >= 0) waitMs = std::min(waitMs, timerMs);
            WaitForMessages(waitMs);
        }
    }
    return frames;
}

}  // namespace cindral::platform::windows
