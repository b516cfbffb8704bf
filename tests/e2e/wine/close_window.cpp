// Tells the top-level window captioned by its first argument that it is to
// end, as the system does: WM_CLOSE posted, or with "endsession" as second
// argument WM_ENDSESSION (the session ends) sent. Status 1 when there is no
// such window.

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string caption = argv[1];
    const bool endSession = argc > 2 && std::string(argv[2]) == "endsession";
    std::wstring wide(caption.begin(), caption.end());
    HWND window = FindWindowW(nullptr, wide.c_str());
    if (!window) {
        std::fprintf(stderr, "close-window: no window captioned %s\n", caption.c_str());
        return 1;
    }
    if (endSession) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &result);
        return 0;
    }
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
