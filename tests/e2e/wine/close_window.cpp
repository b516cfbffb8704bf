// Posts WM_CLOSE to the top-level window captioned by its argument (as the
// system does when it closes a window) and ends; status 1 when there is none.

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string caption = argv[1];
    std::wstring wide(caption.begin(), caption.end());
    HWND window = FindWindowW(nullptr, wide.c_str());
    if (!window || !PostMessageW(window, WM_CLOSE, 0, 0)) {
        std::fprintf(stderr, "close-window: no window captioned %s\n", caption.c_str());
        return 1;
    }
    return 0;
}
