#pragma once
// The program's window classes, each registered the one way: this module's
// instance, the arrow cursor, once a process.

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure = DefWindowProcW;
    UINT style = 0;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

// Registers `c` unless a class of its name is already there; false when the
// system refuses it (windows of it then cannot be made, which their makers report).
bool RegisterWindowClass(const WindowClass& c);

}  // namespace cindral::platform::win32
