// A stand-in for the display settings' preview area: a top-level window
// captioned "Cindral preview host" whose client area is 152 x 112 pixels. It
// prints its window handle in decimal on one line, then closes its window
// after the number of milliseconds given as its argument and ends. A line
// "grow" on its standard input doubles its client area (to 304 x 224), which
// it answers with the line "grown".

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kGrow = WM_APP;

// Reads the commands from standard input, for the window's thread to carry out.
DWORD WINAPI ReadCommands(void* window) {
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        if (std::strncmp(line, "grow", 4) == 0)
            PostMessageW(static_cast<HWND>(window), kGrow, 0, 0);
    }
    return 0;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_TIMER:
            if (w == kCloseTimer) DestroyWindow(window);
            return 0;
        case kGrow:
            SetWindowPos(window, nullptr, 0, 0, 304, 224, SWP_NOMOVE | SWP_NOZORDER);
            std::printf("grown\n");
            std::fflush(stdout);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const UINT lifeMs = argc > 1 ? static_cast<UINT>(std::atoi(argv[1])) : 5000;
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"CindralPreviewHost";
    RegisterClassW(&wc);
    RECT r{0, 0, 152, 112};
    AdjustWindowRect(&r, WS_POPUP, FALSE);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Cindral preview host",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) {
        std::fprintf(stderr, "preview host: no window (error %lu)\n", GetLastError());
        return 1;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    std::fflush(stdout);
    SetTimer(window, kCloseTimer, lifeMs, nullptr);
    CloseHandle(CreateThread(nullptr, 0, ReadCommands, window, 0, nullptr));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
