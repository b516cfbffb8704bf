#include "platform/win32/event_pump.h"

#include <atomic>

namespace cindral::platform::win32 {

namespace {

std::atomic<bool> g_stopRequested{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        g_stopRequested = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

Win32EventPump::Win32EventPump(SaverWindows& windows) : windows_(windows) {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

Win32EventPump::~Win32EventPump() { SetConsoleCtrlHandler(OnConsoleControl, FALSE); }

void Win32EventPump::WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) {
    if (timeoutMs > 0) {
        MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    windows_.SetInput(&input);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            input.EndSaver();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    windows_.SetInput(nullptr);
}

bool Win32EventPump::StopRequested() { return g_stopRequested; }

int Win32LocalTime::SecondsSinceMidnight() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
}

}  // namespace cindral::platform::win32
